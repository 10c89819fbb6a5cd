// SPDX-License-Identifier: GPL-3.0-or-later
// The real window grown for a large maze the player chose.
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

#include "app/qt_form.h"
#include "render/legible_size.h"

namespace quivra {

namespace {

// Before its first showing a window has no frame yet: room for a title bar and borders.
const QSize kFrameAllowance(8, 32);

}  // namespace

void QtForm::GrowForNextMaze() {
    const GameState& s = form_->State();
    const std::optional<MazeShape> shape = s.maze().named ? s.maze().named->shape : ChosenShape(s.style(), s.Size());
    if (shape) GrowForMaze(*shape);
}

void QtForm::GrowForMaze(const MazeShape& shape) {
    if (ending_ || isMaximized() || isFullScreen() || screen() == nullptr) return;
    // The client area below the menu bar, as it is or as it will be at the first showing.
    const QSize client = isVisible() ? client_->size() : size() - QSize(0, menuBar()->sizeHint().height());
    const DrawArea area{client.width() - vscroll1_->width(), client.height() - text1_->height()};
    const DrawArea legible = LegibleDrawArea(shape, form_->State().viewAngle(), area, kLegibleCellPixels);
    if (legible == area) return;
    QSize frame = frameGeometry().size() - geometry().size();
    if (!isVisible() || frame.isEmpty()) frame = frame.expandedTo(kFrameAllowance);
    const QRect available = screen()->availableGeometry();
    const QSize grown = (size() + QSize(legible.width - area.width, legible.height - area.height))
                            .boundedTo(available.size() - frame)
                            .expandedTo(size());
    if (grown == size()) return;
    resize(grown);
    // The whole window on the screen: moved in where it would stick out.
    const QSize outer = grown + frame;
    const QPoint centred = available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                                        (available.height() - outer.height()) / 2);
    const QPoint at = isVisible() ? frameGeometry().topLeft() : centred;
    move(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() + 1 - outer.width())),
         std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() + 1 - outer.height())));
}

}  // namespace quivra
