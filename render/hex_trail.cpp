// SPDX-License-Identifier: GPL-3.0-or-later
// Lines over a finished honeycomb scene, at wall height, from cell centre to cell centre.
#include <vector>

#include "render/hex_scene.h"

namespace quivra {

void TraceHexTrail(const StyleRules& rules, const std::vector<TrailSegment>& trail, double sqrtThree,
                   const HexLineFn& line) {
    const double r = sqrtThree;
    // Cell centres row by row, as the rows add up from the first.
    int row = rules.firstCellY;
    double cy = r / 2;
    for (const TrailSegment& t : trail) {
        for (; row < t.from.y; row += rules.cellStepY) cy += r / 2;
        const double cx = t.from.x % 8 == 3 ? 1.0 + 3 * (t.from.x / 8) : 2.5 + 3 * (t.from.x / 8);
        const int colour = TrailColour(t.kind);
        switch (t.kind) {
            case TrailKind::In: line({colour, 1.0, 0, cx, cy}); break;
            case TrailKind::Out: line({colour, cx, cy, cx, cy + r / 2}); break;
            default: {
                // Half way: the neighbour draws the other half on its own turn.
                double dx = 0, dy = 0;
                rules.sceneStep(t.from.x, t.from.y, t.to.x, t.to.y, dx, dy);
                line({colour, cx, cy, cx + dx / 2, cy + dy / 2});
            }
        }
    }
}

void TraceHexSolution(const StyleRules& rules, const CorrectPath& path, double sqrtThree, double sceneDepth,
                      const HexLineFn& line) {
    const double r = sqrtThree;
    if (path.cells.empty()) return;
    line({kSolutionColour, 1.0, 0, 1.0, r / 2});
    double cx = 1.0, cy = r / 2;
    for (size_t i = 0; i < path.directions.size(); ++i) {
        if (i + 1 == path.cells.size()) {   // out through the exit
            line({kSolutionColour, cx, cy, cx, sceneDepth});
            return;
        }
        double tx = cx, ty = cy;
        rules.sceneStep(path.cells[i].x, path.cells[i].y, path.cells[i + 1].x, path.cells[i + 1].y, tx, ty);
        line({kSolutionColour, cx, cy, tx, ty});
        cx = tx;
        cy = ty;
    }
}

void DrawHexTrail(const Game& g, SceneState& s, Canvas& canvas) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    TraceHexTrail(g.Rules(), g.Trail(), g.tables().sqrtThree, [&](const HexLine& l) {
        DrawPathSegment(canvas, l.colour, l.x1, l.y1, l.x2, l.y2, s.View());
    });
    RestorePalette(canvas.dc, s.palette, previous);
}

void DrawHexSolution(const Game& g, SceneState& s, Canvas& canvas) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    TraceHexSolution(g.Rules(), g.Path(), g.tables().sqrtThree, s.view.sceneDepth, [&](const HexLine& l) {
        DrawPathSegment(canvas, l.colour, l.x1, l.y1, l.x2, l.y2, s.View());
    });
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
