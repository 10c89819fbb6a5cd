#pragma once
// The honeycomb scene: a stage machine driven by the build timer that sizes and generates the
// maze, lays the floor band by band and raises the walls a grid row per tick, then draws the
// trail (and the correct path when it is shown).
#include <functional>

#include "app/form_host.h"
#include "app/game_state.h"
#include "render/projection.h"
#include "render/wall_pieces.h"

namespace quivra {

// One timer step of the build; buildStage says which.
void BuildHexScene(GameState& s, FormHost& host);

// The walked trail: half lines between walked neighbours, the entrance stub, and the exit stub
// once the player has walked out. Sets lineColorIndex.
void DrawHexTrail(Canvas& canvas, GameState& s, int gridMaxX, int gridMaxY, const ByteGrid& walkGrid,
                  const ViewParams& view);

// The correct path in red, from the entrance down to the near edge of the scene.
void DrawHexSolution(Canvas& canvas, GameState& s, int gridMaxY, const ByteGrid& mazeGrid, const ViewParams& view);

// ---- the pieces the above are made of, exposed so they can be checked without pixels ----------

// Grid size for a drawing area given in twips. A drawing area of no width gives the smallest grid.
struct HexGridSize {
    int cellsX = 3;
    int cellsY = 2;
    int gridMaxX = 0;
    int gridMaxY = 0;
    int cellCount = 0;
};
HexGridSize SizeHexGrid(double widthTwips, double heightTwips, double sqrtThree);

// One line of the trail or the correct path, in scene units, with its palette index.
struct HexLine {
    int colour = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
using HexLineFn = std::function<void(const HexLine&)>;

// The lines DrawHexTrail / DrawHexSolution draw, in drawing order.
void TraceHexTrail(const GameState& s, int gridMaxX, int gridMaxY, const ByteGrid& walkGrid, const HexLineFn& line);
void TraceHexSolution(const GameState& s, int gridMaxY, const ByteGrid& mazeGrid, double sceneDepth,
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

// One step of the wall stage: the pass drawPass of grid row drawRow, then the cursors advance;
// past the last row it only moves buildStage to 5.
void RaiseHexWalls(GameState& s, HexWallSink& sink);

}  // namespace quivra
