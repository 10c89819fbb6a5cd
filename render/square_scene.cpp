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
constexpr double kCellTwips = 360;   // a quarter inch of window per cell when sizing

Quad Shifted(const std::array<ScenePoint, 4>& quad, double dy) {
    Quad q;
    for (int j = 0; j < 4; ++j) q[j] = {quad[j].X, quad[j].Y + dy};
    return q;
}

void MoveRight(Quad& q) {
    for (auto& p : q) p.X += 1;
}

void StageFloor(GameState& s, Canvas& canvas) {
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
    s.build.buildStage = kStageWalls;
}

// One row pair: the even row of posts and slots along X, then the odd row of slots along Y.
// Side faces go first and rows run far to near, so nearer faces paint over farther ones.
void StageWalls(GameState& s, Canvas& canvas) {
    if (s.draw.drawRow > s.maze.gridMaxY) {
        s.build.buildStage = kStageFinished;
        return;
    }
    const ViewParams view = s.View();
    int y = s.draw.drawRow;

    Quad post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    for (int x = 0; x <= s.maze.gridMaxX; x += 2) {
        if (s.maze.mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, post);
        MoveRight(post);
    }
    post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    Quad slot = Shifted(s.draw.wallTemplate[1], s.draw.rowOffset);
    for (int x = 0; x <= s.maze.gridMaxX; ++x) {
        Quad& piece = x % 2 == 0 ? post : slot;
        if (s.maze.mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, piece, kNearFaceGrey);
        MoveRight(piece);
    }

    ++s.draw.drawRow;
    if (s.draw.drawRow <= s.maze.gridMaxY) {
        y = s.draw.drawRow;
        Quad side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= s.maze.gridMaxX; x += 2) {
            if (s.maze.mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, side);
            MoveRight(side);
        }
        side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= s.maze.gridMaxX; x += 2) {
            if (s.maze.mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, side, kNearFaceGrey);
            MoveRight(side);
        }
        ++s.draw.drawRow;
    }
    s.draw.rowOffset += 1;
}

}  // namespace

MazeShape SizeSquareGrid(double widthTwips, double heightTwips) {
    const int cellsX =
        std::max(2, static_cast<int>(std::clamp(std::floor(widthTwips / kCellTwips - 0.25), 0.0, 1e6)));
    // A window narrower than the scroll bar has no drawing width: keep the smallest depth.
    const double rows = widthTwips > 0 ? std::floor(cellsX * heightTwips / widthTwips) : 0;
    const int cellsY = std::max(2, static_cast<int>(std::clamp(rows, 0.0, 1e6)));
    return MazeShape::Square(cellsX, cellsY);
}

bool IsSquareDrawingStage(uint8_t stage) { return stage == kStageFloor || stage == kStageWalls; }

StageReport BuildSquareScene(GameState& s, Canvas& canvas) {
    const uint8_t stage = s.build.buildStage;
    if (!IsSquareDrawingStage(stage)) return {};
    s.palette.savedPalette = SelectGamePalette(canvas.dc, s.palette);
    if (stage == kStageFloor) {
        StageFloor(s, canvas);
    } else {
        StageWalls(s, canvas);
    }
    RestorePalette(canvas.dc, s.palette, s.palette.savedPalette);
    return {stage == kStageWalls && s.build.buildStage == kStageFinished};
}

void DrawSquareSolution(Canvas& canvas, GameState& s, int gridMaxY, const ByteGrid& mazeGrid, const ViewParams& view) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    s.walk.lineColorIndex = 15;
    DrawPathSegment(canvas, s.walk.lineColorIndex, 0.625, 0.125, 0.625, 0.625, view);
    int x = 1, y = 1, prevX = 1, prevY = -1;
    double sx = 0.625, sy = 0.625;
    // Bounded by the cell count: a grid without a full chain of marks cannot loop for ever.
    const long long maxSteps = static_cast<long long>(mazeGrid.MaxX() + 1) * (mazeGrid.MaxY() + 1);
    for (long long step = 0; step < maxSteps; ++step) {
        int found = -1;
        for (int d = 0; d < 4 && found < 0; ++d) {
            const int dx = s.tables.stepX[d][0], dy = s.tables.stepY[d][0];
            if (!mazeGrid.Contains(y + dy, x + dx) || mazeGrid(y + dy, x + dx) != 1) continue;
            if (x + 2 * dx == prevX && y + 2 * dy == prevY) continue;
            found = d;
        }
        if (found < 0) break;
        const int dx = s.tables.stepX[found][0], dy = s.tables.stepY[found][0];
        const int nx = x + 2 * dx, ny = y + 2 * dy;
        if (ny < gridMaxY) {
            DrawPathSegment(canvas, s.walk.lineColorIndex, sx, sy, sx + dx, sy + dy, view);
            sx += dx;
            sy += dy;
        } else {
            DrawPathSegment(canvas, s.walk.lineColorIndex, sx, sy, sx, view.sceneDepth, view);
            break;
        }
        prevX = x;
        prevY = y;
        x = nx;
        y = ny;
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

void DrawSquareTrail(Canvas& canvas, GameState& s, int gridMaxX, int gridMaxY, const ByteGrid& walkGrid,
                     const ViewParams& view) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    auto onTrail = [&walkGrid](int y, int x) { return walkGrid(y, x) == 1 || walkGrid(y, x) == 3; };
    for (int y = 1; y < gridMaxY; y += 2) {
        for (int x = 1; x < gridMaxX; x += 2) {
            if (!onTrail(y, x)) continue;
            const double ox = (x - 1) / 2 + 0.625;
            const double oy = (y - 1) / 2 + 0.625;
            for (int d = 0; d < 4; ++d) {
                const int dx = s.tables.stepX[d][0], dy = s.tables.stepY[d][0];
                const int px = x + dx, py = y + dy;
                if (walkGrid(py, px) == 0) continue;
                if (py == 0) {
                    s.walk.lineColorIndex = 14;
                    DrawPathSegment(canvas, s.walk.lineColorIndex, ox, 0.125, ox, oy, view);
                } else if (py == gridMaxY) {
                    if (s.walk.exitReached) {
                        s.walk.lineColorIndex = 14;
                        DrawPathSegment(canvas, s.walk.lineColorIndex, ox, oy, ox, view.sceneDepth, view);
                    }
                } else {
                    const int nx = x + 2 * dx, ny = y + 2 * dy;
                    if (nx > 0 && nx < gridMaxX && ny > 0 && ny < gridMaxY && onTrail(ny, nx)) {
                        s.walk.lineColorIndex = walkGrid(y, x) == 1 && walkGrid(ny, nx) == 1 ? 14 : 13;
                        DrawPathSegment(canvas, s.walk.lineColorIndex, ox, oy, ox + dx / 2.0, oy + dy / 2.0, view);
                    }
                }
            }
        }
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
