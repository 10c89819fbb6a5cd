// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How large the overview draws a maze's cells in a drawing area, and how large an area must be for
// cells a player can read.
#include "maze/maze_shape.h"

namespace quivra {

// Cells narrower than this are hard to walk: one wall and one passage of a few pixels each.
constexpr double kLegibleCellPixels = 12;

// The overview's cells across, in pixels: the floor's width half way into its depth (nearer rows
// are wider, further ones narrower) over the cells across.
double SceneCellPixels(const MazeShape& shape, double tiltDegrees, int drawWidth, int drawHeight);

struct DrawArea {
    int width = 0;
    int height = 0;
    bool operator==(const DrawArea&) const = default;
};

// The drawing area grown in its proportions until the overview's cells are at least `pixels`
// across; the area itself when they are already.
DrawArea LegibleDrawArea(const MazeShape& shape, double tiltDegrees, DrawArea area, double pixels);

}  // namespace quivra
