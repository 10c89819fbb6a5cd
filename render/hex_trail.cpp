// SPDX-License-Identifier: GPL-3.0-or-later
// Lines over a finished honeycomb scene, at wall height, from cell centre to cell centre.
#include <cstdint>

#include "render/hex_scene.h"

namespace quivra {

namespace {

constexpr int kYellow = 13;
constexpr int kGreen = 14;
constexpr int kRed = 15;

bool OnTrail(uint8_t mark) { return mark == 1 || mark == 3; }

}  // namespace

void TraceHexTrail(const Game& s, int gridMaxX, int gridMaxY, const ByteGrid& walkGrid, const HexLineFn& line) {
    if (gridMaxY < 3) return;
    const double r = s.tables.sqrtThree;
    double cy = r / 2;
    bool evenParity = true;
    for (int y = 2; y < gridMaxY; y += 2) {
        double cx = evenParity ? 1.0 : 2.5;
        for (int x = evenParity ? 3 : 7; x < gridMaxX; x += 8, cx += 3) {
            if (!walkGrid.Contains(y, x) || !OnTrail(walkGrid(y, x))) continue;
            for (int d = 0; d < 6; ++d) {
                const int wy = y + s.tables.hexStepY[d][0];
                const int wx = x + s.tables.hexStepX[d][0];
                if (!walkGrid.Contains(wy, wx) || walkGrid(wy, wx) == 0) continue;
                if (wy == 0) {
                    line({kGreen, 1.0, 0, cx, cy});
                } else if (wy != gridMaxY) {
                    const int ny = wy + s.tables.hexStepY[d][0];
                    const int nx = wx + s.tables.hexStepX[d][0];
                    if (nx <= 0 || nx >= gridMaxX || ny <= 0 || ny >= gridMaxY || !walkGrid.Contains(ny, nx) ||
                        !OnTrail(walkGrid(ny, nx))) {
                        continue;
                    }
                    const int colour = walkGrid(y, x) == 1 && walkGrid(ny, nx) == 1 ? kGreen : kYellow;
                    // Half way: the neighbour draws the other half on its own turn.
                    double tx = cx, ty = cy;
                    switch (d) {
                    case 0: tx -= 0.75; ty -= r / 4; break;
                    case 1: tx -= 0.75; ty += r / 4; break;
                    case 2: ty -= r / 2; break;
                    case 3: ty += r / 2; break;
                    case 4: tx += 0.75; ty -= r / 4; break;
                    default: tx += 0.75; ty += r / 4; break;
                    }
                    line({colour, cx, cy, tx, ty});
                } else if (s.walk.exitReached) {
                    line({kGreen, cx, cy, cx, cy + r / 2});
                }
            }
        }
        evenParity = !evenParity;
        cy += r / 2;
    }
}

void TraceHexSolution(const Game& s, int gridMaxY, const ByteGrid& mazeGrid, double sceneDepth,
                      const HexLineFn& line) {
    if (!mazeGrid.Exists()) return;
    const double r = s.tables.sqrtThree;
    line({kRed, 1.0, 0, 1.0, r / 2});
    int y = 2, x = 3;
    int prevY = -2, prevX = 3;   // beyond the entrance, so the walk never turns back out of it
    double cx = 1.0, cy = r / 2;
    // A marked chain visits each cell once; a grid with a loop of marks must not hold us forever.
    const int64_t maxSteps = (static_cast<int64_t>(mazeGrid.MaxX()) / 4 + 1) * (mazeGrid.MaxY() / 4 + 1);
    for (int64_t step = 0; step < maxSteps; ++step) {
        int ny = 0, nx = 0;
        bool found = false;
        for (int d = 0; d < 6 && !found; ++d) {
            const int sy = s.tables.hexStepY[d][0];
            const int sx = s.tables.hexStepX[d][0];
            if (!mazeGrid.Contains(y + sy, x + sx) || mazeGrid(y + sy, x + sx) != 1) continue;
            ny = y + 2 * sy;
            nx = x + 2 * sx;
            // Outside the field only the way down through the exit counts.
            found = !(ny == prevY && nx == prevX) && ny >= 0 && nx >= 0 && nx <= mazeGrid.MaxX();
        }
        if (!found) return;
        if (ny >= gridMaxY) {
            line({kRed, cx, cy, cx, sceneDepth});
            return;
        }
        double tx = nx > x ? cx + 1.5 : cx - 1.5;
        double ty;
        switch (ny - y) {
        case -4: tx = cx; ty = cy - r; break;
        case -2: ty = cy - r / 2; break;
        case 2: ty = cy + r / 2; break;
        default: tx = cx; ty = cy + r; break;
        }
        line({kRed, cx, cy, tx, ty});
        prevY = y;
        prevX = x;
        y = ny;
        x = nx;
        cx = tx;
        cy = ty;
    }
}

void DrawHexTrail(const Game& g, SceneState& s, Canvas& canvas) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    TraceHexTrail(g, g.maze.gridMaxX, g.maze.gridMaxY, g.walk.walkGrid, [&](const HexLine& l) {
        DrawPathSegment(canvas, l.colour, l.x1, l.y1, l.x2, l.y2, s.View());
    });
    RestorePalette(canvas.dc, s.palette, previous);
}

void DrawHexSolution(const Game& g, SceneState& s, Canvas& canvas) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    TraceHexSolution(g, g.maze.gridMaxY, g.maze.mazeGrid, s.view.sceneDepth, [&](const HexLine& l) {
        DrawPathSegment(canvas, kSolutionColour, l.x1, l.y1, l.x2, l.y2, s.View());
    });
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
