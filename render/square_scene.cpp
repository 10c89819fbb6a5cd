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
    if (s.draw.drawRow > g.maze().gridMaxY) return kStageFinished;
    const ViewParams view = s.View();
    int y = s.draw.drawRow;

    Quad post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    for (int x = 0; x <= g.maze().gridMaxX; x += 2) {
        if (g.maze().mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, post);
        MoveRight(post);
    }
    post = Shifted(s.draw.wallTemplate[0], s.draw.rowOffset);
    Quad slot = Shifted(s.draw.wallTemplate[1], s.draw.rowOffset);
    for (int x = 0; x <= g.maze().gridMaxX; ++x) {
        Quad& piece = x % 2 == 0 ? post : slot;
        if (g.maze().mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, piece, kNearFaceGrey);
        MoveRight(piece);
    }

    ++s.draw.drawRow;
    if (s.draw.drawRow <= g.maze().gridMaxY) {
        y = s.draw.drawRow;
        Quad side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= g.maze().gridMaxX; x += 2) {
            if (g.maze().mazeGrid(y, x) == 0) DrawWallEnds(canvas, view, side);
            MoveRight(side);
        }
        side = Shifted(s.draw.wallTemplate[3], s.draw.rowOffset);
        for (int x = 0; x <= g.maze().gridMaxX; x += 2) {
            if (g.maze().mazeGrid(y, x) == 0) DrawWallSegment(canvas, view, side, kNearFaceGrey);
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
    const uint8_t stage = s.build.buildStage;
    if (!IsSquareDrawingStage(stage)) return {stage, false};
    s.palette.savedPalette = SelectGamePalette(canvas.dc, s.palette);
    const uint8_t next = stage == kStageFloor ? StageFloor(s, canvas) : StageWalls(g, s, canvas);
    RestorePalette(canvas.dc, s.palette, s.palette.savedPalette);
    return {next, stage == kStageWalls && next == kStageFinished};
}

void DrawSquareSolution(const Game& g, SceneState& s, Canvas& canvas) {
    const ViewParams& view = s.View();
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    DrawPathSegment(canvas, kSolutionColour, 0.625, 0.125, 0.625, 0.625, view);
    const CorrectPath path = g.Path();
    double sx = 0.625, sy = 0.625;
    for (size_t i = 0; i < path.directions.size(); ++i) {
        if (i + 1 == path.cells.size()) {   // out through the exit
            DrawPathSegment(canvas, kSolutionColour, sx, sy, sx, view.sceneDepth, view);
            break;
        }
        double nx = sx, ny = sy;
        g.Rules().sceneStep(path.cells[i].x, path.cells[i].y, path.cells[i + 1].x, path.cells[i + 1].y, nx, ny);
        DrawPathSegment(canvas, kSolutionColour, sx, sy, nx, ny, view);
        sx = nx;
        sy = ny;
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

void DrawSquareTrail(const Game& g, SceneState& s, Canvas& canvas) {
    const ViewParams& view = s.View();
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    for (const TrailSegment& t : g.Trail()) {
        const double ox = (t.from.x - 1) / 2 + 0.625;
        const double oy = (t.from.y - 1) / 2 + 0.625;
        const int colour = TrailColour(t.kind);
        switch (t.kind) {
            case TrailKind::In: DrawPathSegment(canvas, colour, ox, 0.125, ox, oy, view); break;
            case TrailKind::Out: DrawPathSegment(canvas, colour, ox, oy, ox, view.sceneDepth, view); break;
            default: {
                // Half way to the next cell: that cell draws the other half.
                double nx = 0, ny = 0;
                g.Rules().sceneStep(t.from.x, t.from.y, t.to.x, t.to.y, nx, ny);
                DrawPathSegment(canvas, colour, ox, oy, ox + nx / 2, oy + ny / 2, view);
            }
        }
    }
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
