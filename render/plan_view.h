// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maze seen from above, for solving with a pen: black walls of even width on white, the
// entrance at the top and the exit at the bottom left open and marked, the correct path and the
// player's trail optional. Drawn through the device context, so it goes to a picture or a document.
#include <optional>

#include "render/gdi.h"
#include "render/scene_state.h"
#include "render/zoom.h"

namespace quivra {

struct PlanOptions {
    int width = 400;     // the picture, in pixels (units of the device)
    int height = 298;
    bool trail = false;      // the player's trail as the game draws it, green and yellow
    bool solution = false;   // the correct path through the cell centres: a thinner light red line
    bool player = false;     // where the player stands, facing the game's heading
    // On paper: device units a millimetre. Lines then keep widths a photocopier keeps, and the
    // openings' marks are left to the page, which draws them at a size of their own.
    double unitsPerMillimetre = 0;
    ZoomView zoom = {};      // the whole plan scaled about a point (the window's zoom)
};

// The plan's extent in its own units (a square's side, a hexagon's side) with its margins and the
// room for the marks, and the width of one cell in those units: a plan W x H pixels draws its
// cells min(W / width, H / height) * cell pixels wide.
struct PlanExtent {
    double width, height, cell;
};
PlanExtent PlanExtentOf(MazeStyle style, int cellsX, int cellsY);

void DrawPlan(DeviceContext& dc, const Game& game, const PlanOptions& options);

// The walls' width in device units for a plan drawn `scale` units to one of its own; on paper
// (unitsPerMillimetre above 0) thicker where the cell allows.
int PlanWallWidth(double scale, double unitsPerMillimetre = 0);
// The correct path's width: on paper at least about 0.6 mm, or a third of the cell when that is less.
int PlanPathWidth(double scale, double cell, double unitsPerMillimetre);

// Where the entrance and the exit open in the outer wall, in device units.
struct PlanOpenings {
    POINT entrance{}, exit{};
    int wall = 0;   // the outer wall's width there
    bool found = false;
};
PlanOpenings PlanOpeningsOf(const Game& game, const PlanOptions& options);

// The player's cell centre in the whole plan's pixels (the options' zoom aside), and a cell's
// width there.
PicturePoint PlanPlayerPoint(const Game& game, const PlanOptions& options);
double PlanCellPixels(const Game& game, const PlanOptions& options);
// A cell's centre (raster x, y; any place on the raster's lines, outside it too) in the plan's
// pixels as drawn, zoom included.
PicturePoint PlanCellPoint(const Game& game, const PlanOptions& options, const Cell& cell);

// The cell (raster x, y) under a pixel of the plan, or nothing off the maze's cells.
std::optional<Cell> PlanCellAt(const Game& game, const PlanOptions& options, double x, double y);

}  // namespace quivra
