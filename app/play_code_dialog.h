// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small dialog that plays a maze code: it refuses a mistyped code in place, with the reason,
// and closes only on one that names a maze.
#include <QDialog>

#include <optional>

#include "maze/maze_code.h"

class QLabel;
class QLineEdit;

namespace quivra {

class PlayCodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlayCodeDialog(QWidget* parent = nullptr);

    QLineEdit* CodeEdit() const { return edit_; }
    QLabel* Reason() const { return reason_; }
    // The maze of the code accepted; nothing before that.
    const std::optional<NamedMaze>& Maze() const { return maze_; }

    void accept() override;

private:
    QLineEdit* edit_;
    QLabel* reason_;
    std::optional<NamedMaze> maze_;
};

}  // namespace quivra
