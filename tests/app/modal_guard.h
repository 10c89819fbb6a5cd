// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A modal dialog that never closes would hold a test until ctest's timeout: after a few seconds
// this closes whatever modal window is still open and says so, and the test fails at once.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

namespace quivra::test {

class ModalGuard {
public:
    explicit ModalGuard(int milliseconds = 5000) {
        timer_.setSingleShot(false);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                fired_ = true;
                if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->reject();
                } else {
                    modal->close();
                }
                QApplication::processEvents();
                if (QApplication::activeModalWidget() == modal) break;
            }
        });
        timer_.start(milliseconds);
    }
    // Whether a modal window was left open for the guard to close.
    bool Fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};

}  // namespace quivra::test
