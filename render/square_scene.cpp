// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/square_scene.h"

#include <algorithm>
#include <cmath>

#include "render/wall_pieces.h"

namespace quivra {

namespace {

constexpr uint8_t kStageFloor = kStageFirstDrawing;
constexpr uint8_t kStageWalls = 4;
constexpr int kFloorGrey = 6;
constexpr int kNearFaceGrey = 7;

Quad Shifted(const std::array<ScenePoint, 4>& quad, double dy) {
    Quad q;
    for (int j = 0; j < 4; ++j) q[j] = {quad[j].X, quad[j].Y + dy};
    return q;
}

void MoveRight(Quad& q) {
    for (auto& p : q) p.X += 1;
}

uint8_t StageFloor(SceneState& s, Canvas& canvas) {
    s.draw.wallTemplate[0] = {{{0, 0}, {0.25, 0}, {0.25, 0.25}, {0, 0.25}}};
    s.draw.wallTemplate[1] = {{{0.25, 0}, {1, 0}, {1, 0.25}, {0.25, 0.25}}};
    s.draw.wallTemplate[2] = {{{0.25, 0.25}, {1, 0.25}, {1, 1}, {0.25, 1}}};
    s.draw.wallTemplate[3] = {{{0, 0.25}, {0.25, 0.25}, {0.25, 1}, {0, 1}}};
    s.draw.quadWork[0] = {
        {{0, 0}, {s.view.sceneWidth, 0}, {s.view.sceneWidth, s.view.sceneDepth}, {0, s.view.sceneDepth}}};
    const auto& f = s.draw.quadWork[0];
    DrawQuad(canvas, s.View(), f[0].X, f[0].Y, 0, f[1].X, f[1].Y, 0, f[2].X, f[2].Y, 0, f[3].X, f[3].Y, 0,
             kFloorGrey);
    s.draw.rowOffset = 0;
    s.draw.drawRow = 0;
    return kStageWalls;
}

// One row pair: the even row of posts and slots along X, then the odd row of slots along Y.
// Side faces go first and rows run far to near, so nearer faces paint over farther ones.
uint8_t StageWalls(const Game& g, SceneState& s, Canvas& canvas) {
    if (s.draw.drawRow > g.maze.gridMaxY) return kStageFinished;
    const ViewParams view = s.View();
    int y = s.draw.drawRow;

    Quad post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    for (int x = 0; x <= g.maze.gridMaxX; x += 2) {
        if (g.maze.mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, post);
        MoveRight(post);
    }
    post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    Quad slot = Shifted(s.draw.wallTemplate[1], s.draw.rowOffset);
    for (int x = 0; x <= g.maze.gridMaxX; ++x) {
        Quad& piece = x % 2 == 0 ? post : slot;
        if (g.maze.mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, piece, kNearFaceGrey);
        MoveRight(piece);
    }

    ++s.draw.drawRow;
    if (s.draw.drawRow <= g.maze.gridMaxY) {
        y = s.draw.drawRow;
        Quad side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= g.maze.gridMaxX; x += 2) {
            if (g.maze.mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, side);
            MoveRight(side);
        }
        side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= g.maze.gridMaxX; x += 2) {
            if (g.maze.mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, side, kNearFaceGrey);
            MoveRight(side);
        }
        ++s.draw.drawRow;
    }
    s.draw.rowOffset += 1;
    return kStageWalls;
}

}  // namespace

bool IsSquareDrawingStage(uint8_t stage) { return stage == kStageFloor || stage == kStageWalls; }

StageReport BuildSquareScene(const Game& g, SceneState& s, Canvas& canvas) {
    const uint8_t stage = g.build.buildStage;
    if (!IsSquareDrawingStage(stage)) return {stage, false};
    s.palette.savedPalette = SelectGamePalette(canvas.dc, s.palette);
    const uint8_t next = stage == kStageFloor ? StageFloor(s, canvas) : StageWalls(g, s, canvas);
    RestorePalette(canvas.dc, s.palette, s.palette.savedPalette);
    return {next, stage == kStageWalls && next == kStageFinished};
}

void DrawSquareSolution(const Game& g, SceneState& s, Canvas& canvas) {
    const ByteGrid& mazeGrid = g.maze.mazeGrid;
    const int gridMaxY = g.maze.gridMaxY;
    const ViewParams& view = s.View();
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    DrawPathSegment(canvas, kSolutionColour, 0.625, 0.125, 0.625, 0.625, view);
    int x = 1, y = 1, prevX = 1, prevY = -1;
    double sx = 0.625, sy = 0.625;
    // Bounded by the cell count: a grid without a full chain of marks cannot loop for ever.
    const long long maxSteps = static_cast<long long>(mazeGrid.MaxX() + 1) * (mazeGrid.MaxY() + 1);
    for (long long step = 0; step < maxSteps; ++step) {
        int found = -1;
        for (int d = 0; d < 4 && found < 0; ++d) {
            const int dx = g.tables.stepX[d][0], dy = g.tables.stepY[d][0];
            if (!mazeGrid.Contains(y + dy, x + dx) || mazeGrid(y + dy, x + dx) != 1) continue;
            if (x + 2 * dx == prevX && y + 2 * dy == prevY) continue;
            found = d;
        }
        if (found < 0) break;
        const int dx = g.tables.stepX[found][0], dy = g.tables.stepY[found][0];
        const int nx = x + 2 * dx, ny = y + 2 * dy;
        if (ny < gridMaxY) {
            DrawPathSegment(canvas, kSolutionColour, sx, sy, sx + dx, sy + dy, view);
            sx += dx;
            sy += dy;
        } else {
            DrawPathSegment(canvas, kSolutionColour, sx, sy, sx, view.sceneDepth, view);
            break;
        }
        prevX = x;
        prevY = y;
        x = nx;
        y = ny;
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

void DrawSquareTrail(const Game& g, SceneState& s, Canvas& canvas) {
    const ByteGrid& walkGrid = g.walk.walkGrid;
    const int gridMaxX = g.maze.gridMaxX, gridMaxY = g.maze.gridMaxY;
    const ViewParams& view = s.View();
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    auto onTrail = [&walkGrid](int y, int x) { return walkGrid(y, x) == 1 || walkGrid(y, x) == 3; };
    for (int y = 1; y < gridMaxY; y += 2) {
        for (int x = 1; x < gridMaxX; x += 2) {
            if (!onTrail(y, x)) continue;
            const double ox = (x - 1) / 2 + 0.625;
            const double oy = (y - 1) / 2 + 0.625;
            for (int d = 0; d < 4; ++d) {
                const int dx = g.tables.stepX[d][0], dy = g.tables.stepY[d][0];
                const int px = x + dx, py = y + dy;
                if (walkGrid(py, px) == 0) continue;
                if (py == 0) {
                    DrawPathSegment(canvas, kStepColour, ox, 0.125, ox, oy, view);
                } else if (py == gridMaxY) {
                    if (g.walk.exitReached) DrawPathSegment(canvas, kStepColour, ox, oy, ox, view.sceneDepth, view);
                } else {
                    const int nx = x + 2 * dx, ny = y + 2 * dy;
                    if (nx > 0 && nx < gridMaxX && ny > 0 && ny < gridMaxY && onTrail(ny, nx)) {
                        const int colour = walkGrid(y, x) == 1 && walkGrid(ny, nx) == 1 ? kStepColour : kStepBackColour;
                        DrawPathSegment(canvas, colour, ox, oy, ox + dx / 2.0, oy + dy / 2.0, view);
                    }
                }
            }
        }
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
