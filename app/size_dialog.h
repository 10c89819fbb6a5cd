// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog for a maze size of one's own: cells across and down, refused in place with the
// reason when the style cannot have them.
#include <QDialog>

#include <optional>

#include "game/maze_sizes.h"

class QLabel;
class QSpinBox;

namespace quivra {

class SizeDialog : public QDialog {
    Q_OBJECT
public:
    SizeDialog(MazeStyle style, int cellsX, int cellsY, QWidget* parent = nullptr);

    QSpinBox* Across() const { return across_; }
    QSpinBox* Down() const { return down_; }
    QLabel* Reason() const { return reason_; }
    // The size accepted; nothing before that.
    const std::optional<SizeChoice>& Choice() const { return choice_; }

    void accept() override;

private:
    MazeStyle style_;
    QSpinBox* across_;
    QSpinBox* down_;
    QLabel* reason_;
    std::optional<SizeChoice> choice_;
};

}  // namespace quivra
