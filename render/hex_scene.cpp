// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/hex_scene.h"

#include <cmath>

namespace quivra {

namespace {

constexpr uint8_t kStageTemplates = kStageFirstDrawing;
constexpr uint8_t kStageFloorBands = 2;
constexpr uint8_t kStageFloorEdges = 3;
constexpr uint8_t kStageWalls = 4;
constexpr int kFloorGrey = 6;
constexpr double kWall = 0.25;

// The repeating shapes of one column pair whose left cell is centred at (1, s/2). Walls are kWall
// thick and lie inside the hexagon outline; a joint fills the gap between the wall ends at a vertex.
uint8_t StageTemplates(const Game& g, SceneState& s) {
    const double r = g.tables().sqrtThree;
    const double h = r / 2;                                    // Y of the left and right vertices
    const double halfWall = kWall / 2;
    const double sideJointSlantY = (r + kWall) / 2;            // 0.991025, the side joints' slanted corner
    const double leftJointRight = r * kWall / 2;               // 0.216506
    const double topLeftJointLeft = (1 - kWall / r) / 2;       // 0.427831
    const double topLeftJointRight = kWall / r + 0.5;          // 0.644338, where the left cell's top wall starts
    const double topRightJointRight = (kWall / r + 1) * 1.5;   // 1.716506
    const double rightJointLeft = 2 - kWall / (2 * r);         // 1.927831
    const double rightJointRight = kWall / r + 2;              // 2.144338, where the right cell's top wall starts
    auto& J = s.draw.jointTemplate;
    J[kLeftVertexJoint] = {{{0, h + kWall}, {0, h}, {leftJointRight, sideJointSlantY}}};
    J[kTopLeftVertexJoint] = {{{topLeftJointLeft, halfWall}, {topLeftJointRight, 0}, {topLeftJointRight, kWall}}};
    J[kTopRightVertexJoint] = {{{1.5, kWall}, {1.5, 0}, {topRightJointRight, halfWall}}};
    J[kRightVertexJoint] = {{{rightJointLeft, sideJointSlantY}, {rightJointRight, h}, {rightJointRight, h + kWall}}};
    // A column pair is 3 wide; taken from the joints so the pieces meet exactly.
    const double pairWidth =
        J[kTopRightVertexJoint][1].X - J[kTopLeftVertexJoint][1].X + J[kRightVertexJoint][1].X;
    auto& T = s.draw.wallTemplate;
    T[kLowerLeftEdge] = {
        {{leftJointRight, sideJointSlantY}, {topLeftJointRight, r}, {topLeftJointLeft, r + halfWall}, {0, h + kWall}}};
    T[kUpperLeftEdge] = {
        {{0, h}, {topLeftJointLeft, halfWall}, {topLeftJointRight, kWall}, {leftJointRight, sideJointSlantY}}};
    T[kLeftCellTopEdge] = {{{topLeftJointRight, 0}, {1.5, 0}, {1.5, kWall}, {topLeftJointRight, kWall}}};
    T[kUpperRightEdge] = {
        {{topRightJointRight, halfWall}, {rightJointRight, h}, {rightJointLeft, sideJointSlantY}, {1.5, kWall}}};
    T[kRightCellTopEdge] = {
        {{rightJointRight, h}, {pairWidth, h}, {pairWidth, h + kWall}, {rightJointRight, h + kWall}}};
    T[kLowerRightEdge] = {{{1.5, r},
                           {rightJointLeft, sideJointSlantY},
                           {rightJointRight, h + kWall},
                           {topRightJointRight, r + halfWall}}};

    // The floor bands of the first cell row; the top and bottom ones end where the outline slants.
    const double inset = topLeftJointRight;
    const double w = s.view.sceneWidth;
    auto& Q = s.draw.quadWork;
    Q[0] = {{{inset, 0}, {w - inset, 0}, {w - inset, kWall}, {inset, kWall}}};
    Q[1] = {{{0, h}, {w, h}, {w - inset, kWall}, {inset, kWall}}};
    Q[2] = {{{0, h}, {w, h}, {w, h + kWall}, {0, h + kWall}}};
    Q[3] = {{{0, h + kWall}, {w, h + kWall}, {w - inset, r}, {inset, r}}};
    s.draw.drawRow = 0;
    return kStageFloorBands;
}

void FillFloor(Canvas& canvas, const ViewParams& view, const std::array<ScenePoint, 4>& q) {
    DrawQuad(canvas, view, q[0].X, q[0].Y, 0, q[1].X, q[1].Y, 0, q[2].X, q[2].Y, 0, q[3].X, q[3].Y, 0, kFloorGrey);
}

// One cell row of floor per step. The first row's top and the last row's bottom are left to the
// edge pieces, which follow the hexagon outline there.
uint8_t StageFloorBands(const Game& g, SceneState& s, Canvas& canvas) {
    const ViewParams view = s.View();
    auto& Q = s.draw.quadWork;
    if (s.draw.drawRow <= g.maze().gridMaxY - 1) {
        if (s.draw.drawRow > 0) {
            FillFloor(canvas, view, Q[0]);
            FillFloor(canvas, view, Q[1]);
        }
        FillFloor(canvas, view, Q[2]);
        if (s.draw.drawRow < g.maze().gridMaxY - 4) FillFloor(canvas, view, Q[3]);
        for (int i = 0; i < 4; ++i) {
            for (auto& p : Q[i]) p.Y += g.tables().sqrtThree;
        }
        s.draw.drawRow += 4;
        return kStageFloorBands;
    }
    // The floor between the joints along the top edge of the first row.
    const auto& J = s.draw.jointTemplate;
    const auto& left = J[kLeftVertexJoint];
    const auto& topLeft = J[kTopLeftVertexJoint];
    const auto& topRight = J[kTopRightVertexJoint];
    const auto& right = J[kRightVertexJoint];
    Q[0] = {topLeft[0], topLeft[1], topRight[1], topRight[2]};
    Q[1] = {left[1], topLeft[0], topRight[2], right[1]};
    Q[2] = {left[0], left[1], right[1], right[2]};
    s.draw.drawCol = 0;
    return kStageFloorEdges;
}

// One column pair of the top edge per step, with its mirror image along the bottom edge.
uint8_t StageFloorEdges(const Game& g, SceneState& s, Canvas& canvas) {
    if (s.draw.drawCol > g.maze().gridMaxX) {
        s.draw.drawPass = 0;
        s.draw.rowOffset = 0;
        s.draw.drawRow = 0;
        return kStageWalls;
    }
    const ViewParams view = s.View();
    for (int i = 0; i < 3; ++i) {
        auto& q = s.draw.quadWork[i];
        FillFloor(canvas, view, q);
        std::array<ScenePoint, 4> mirror;
        for (int j = 0; j < 4; ++j) mirror[j] = {q[j].X, s.view.sceneDepth - q[j].Y};
        FillFloor(canvas, view, mirror);
        for (auto& p : q) p.X += 3;
    }
    s.draw.drawCol += 8;
    return kStageFloorEdges;
}

class CanvasWallSink final : public HexWallSink {
public:
    CanvasWallSink(Canvas& canvas, const ViewParams& view) : canvas_(canvas), view_(view) {}
    void Joint(const Triangle& footprint, bool sideMode, int colour) override {
        DrawWallJoint(canvas_, view_, footprint, sideMode, colour);
    }
    void Segment(const Quad& footprint, int colour) override { DrawWallSegment(canvas_, view_, footprint, colour); }

private:
    Canvas& canvas_;
    const ViewParams view_;
};

}  // namespace

bool IsHexDrawingStage(uint8_t stage) { return stage >= kStageTemplates && stage <= kStageWalls; }

StageReport BuildHexScene(const Game& g, SceneState& s, Canvas& canvas) {
    const uint8_t stage = s.build.buildStage;
    if (!IsHexDrawingStage(stage)) return {stage, false};
    uint8_t next = stage;
    if (stage == kStageTemplates) {
        next = StageTemplates(g, s);
    } else {
        s.palette.savedPalette = SelectGamePalette(canvas.dc, s.palette);
        if (stage == kStageFloorBands) {
            next = StageFloorBands(g, s, canvas);
        } else if (stage == kStageFloorEdges) {
            next = StageFloorEdges(g, s, canvas);
        } else {
            CanvasWallSink sink(canvas, s.View());
            next = RaiseHexWalls(g, s, sink);
        }
        RestorePalette(canvas.dc, s.palette, s.palette.savedPalette);
    }
    return {next, stage == kStageWalls && next == kStageFinished};
}

}  // namespace quivra
