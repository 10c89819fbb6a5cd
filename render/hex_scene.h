// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The honeycomb scene: the drawing stages a timer step runs
// (templates, the floor band by band and edge by edge, the walls a grid row per step), and the
// trail and correct path over it.
#include <functional>

#include "game/style_rules.h"
#include "maze/maze_shape.h"
#include "render/projection.h"
#include "render/scene_common.h"
#include "render/wall_pieces.h"

namespace quivra {

// Stages 1 (templates) to 4 (walls).
bool IsHexDrawingStage(uint8_t stage);

// One drawing stage; buildStage says which. Any other stage draws nothing.
StageReport BuildHexScene(const Game& g, SceneState& s, Canvas& canvas);

// The walked trail: half lines between walked neighbours, the entrance stub, and the exit stub
// once the player has walked out.
void DrawHexTrail(const Game& g, SceneState& s, Canvas& canvas);

// The correct path in red, from the entrance down to the near edge of the scene.
void DrawHexSolution(const Game& g, SceneState& s, Canvas& canvas);

// ---- the pieces the above are made of, exposed so they can be checked without pixels ----------

// One line of the trail or the correct path, in scene units, with its palette index.
struct HexLine {
    int colour = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
using HexLineFn = std::function<void(const HexLine&)>;

// The lines DrawHexTrail / DrawHexSolution draw, in drawing order.
void TraceHexTrail(const StyleRules& rules, const std::vector<TrailSegment>& trail, double sqrtThree,
                   const HexLineFn& line);
void TraceHexSolution(const StyleRules& rules, const CorrectPath& path, double sqrtThree, double sceneDepth,
                      const HexLineFn& line);

// The pieces of one column pair's templates, whose left cell is centred at (1, sqrt(3) / 2) and
// whose right cell, half a cell lower, at (2.5, sqrt(3)): jointTemplate holds the joints by the
// vertex of the left cell they stand on, wallTemplate the wall segments by the edge they run along.
enum HexJoint : int { kLeftVertexJoint, kTopLeftVertexJoint, kTopRightVertexJoint, kRightVertexJoint };
enum HexSegment : int {
    kLowerLeftEdge,
    kUpperLeftEdge,
    kLeftCellTopEdge,
    kUpperRightEdge,
    kRightCellTopEdge,   // from the left cell's right vertex to the next pair
    kLowerRightEdge,
};

// Where the wall stage sends its pieces: the scene builder draws them, a test can record them.
class HexWallSink {
public:
    virtual ~HexWallSink() = default;
    virtual void Joint(const Triangle& footprint, bool sideMode, int colour) = 0;
    virtual void Segment(const Quad& footprint, int colour) = 0;
};

// One step of the wall stage: the pass drawPass of grid row drawRow, then the cursors advance.
// Returns the stage the run goes on with: 5 once past the last row.
uint8_t RaiseHexWalls(const Game& g, SceneState& s, HexWallSink& sink);

}  // namespace quivra
