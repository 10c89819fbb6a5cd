// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status line: a read-only line whose text, when it does not fit beside the fields at its
// right end (the counters), is drawn cut short with "…" and shown whole as its tooltip. Its text()
// stays the whole text.
#include <QLineEdit>

namespace quivra {

class StatusLine : public QLineEdit {
public:
    explicit StatusLine(QWidget* parent);
    // Where the text is drawn: the line less its margins and the fields at its right.
    QRect TextRect() const;
    // The text as drawn there.
    QString ShownText() const;
    // Follows a change of the right margin (setTextMargins is not virtual).
    void Fit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace quivra
