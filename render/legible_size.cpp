// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/legible_size.h"

#include <cmath>

#include "game/style_rules.h"
#include "render/projection.h"

namespace quivra {

double SceneCellPixels(const MazeShape& shape, double tiltDegrees, int drawWidth, int drawHeight) {
    if (drawWidth < 2 || drawHeight < 2 || shape.cellsX <= 0) return 0;
    const StyleRules& rules = RulesOf(shape.style);
    const double width = rules.sceneWidth(shape.cellsX), depth = rules.sceneDepth(shape.cellsY);
    const ViewParams view = SetupView(tiltDegrees, width, depth, drawWidth, drawHeight);
    const POINT left = ProjectPoint(0, depth / 2, 0, view, drawHeight);
    const POINT right = ProjectPoint(width, depth / 2, 0, view, drawHeight);
    return static_cast<double>(right.x - left.x) / shape.cellsX;
}

DrawArea LegibleDrawArea(const MazeShape& shape, double tiltDegrees, DrawArea area, double pixels) {
    const double now = SceneCellPixels(shape, tiltDegrees, area.width, area.height);
    if (now >= pixels || !(now > 0)) return area;
    // The scene's width in pixels follows the area's width less one; its depth the height's.
    const double grow = pixels / now;
    DrawArea grown{static_cast<int>(std::ceil(1 + (area.width - 1) * grow)),
                   static_cast<int>(std::ceil(1 + (area.height - 1) * grow))};
    // Whole pixels may still fall a little short.
    for (int i = 0; i < 64 && SceneCellPixels(shape, tiltDegrees, grown.width, grown.height) < pixels; ++i) {
        ++grown.width;
    }
    return grown;
}

}  // namespace quivra
