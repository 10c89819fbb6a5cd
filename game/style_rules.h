// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between the maze styles, one table each: how a maze of the style is sized, carved
// and solved, where the player starts, which keys walk which way, how far a step goes in the
// scene, and where its cells lie in the raster and in the flat plan. A third style is a third
// table (and its drawing in render/).
#include <string>
#include <string_view>

#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "maze/random.h"
#include "maze/square_maze.h"

namespace quivra {

struct FixedTables;
struct MazeState;

// What a key means to a style: a direction 0..directions-1, or one of these.
constexpr int kNotAKey = -1;   // not a walking key at all: left to the window
constexpr int kBeepKey = -2;   // a walking key of another style: it beeps

// A point of the flat plan, in units of the style (a square cell is 1 wide, a hexagon's side is 1).
struct PlanPoint {
    double x = 0;
    double y = 0;
};

struct StyleRules {
    MazeStyle style;
    const char* name;                    // as the tool's --style names it
    int directions;                      // base directions of the direction tables
    const std::string& walkingHint;      // the status line over a finished scene
    int (*keyDirection)(int keyCode);    // a direction, kNotAKey or kBeepKey

    // The smallest maze: cells across (odd for a honeycomb's columns) and down.
    int minCellsX, minCellsY;
    bool oddCellsX;
    // The largest maze the scene can hold (and sizing ever makes), within MazeShape's limits.
    int maxCellsX;
    int maxCellCount;
    // The largest maze that fits a drawing area given in twips; never smaller than the smallest.
    MazeShape (*sizeGrid)(double widthTwips, double heightTwips);
    // The scene's extents across and in depth, in scene units.
    double (*sceneWidth)(int cellsX);
    double (*sceneDepth)(int cellsY);
    // The grids hold a maze this style can walk and draw.
    bool (*holdsMaze)(const MazeState& maze);

    // Carves the maze of one seed into a grid of the shape (returns the register draws made), marks
    // its correct path, or keeps the best of the candidates a search carves within budget seconds
    // of clock on `threads` threads (0: every core).
    int (*carve)(const FixedTables& t, ByteGrid& grid, const MazeShape& shape, PathSteps& steps,
                 const SeedDigits& digits);
    MazeMeasures (*solve)(const FixedTables& t, PathSteps& steps, ByteGrid& grid, const MazeShape& shape);
    GenerationReport (*generate)(const FixedTables& t, const Clock& clock, std::string_view seedText, ByteGrid& grid,
                                 const MazeShape& shape, PathSteps& steps, double budget, int threads);
    // The raster step of base direction d: to the wall slot, and once more to the next cell.
    int (*stepX)(const FixedTables& t, int d);
    int (*stepY)(const FixedTables& t, int d);

    // The start cell in the raster and its centre in the scene.
    int startX, startY;
    double startSceneX, startSceneY;
    // The scene point a step from (x, y) to the cell (tx, ty) reaches from (sceneX, sceneY).
    void (*sceneStep)(int x, int y, int tx, int ty, double& sceneX, double& sceneY);

    // The cells of the raster: rows firstCellY, firstCellY + cellStepY, ... below gridMaxY, and in
    // each row columns firstCellX(y), + cellStepX, ... below gridMaxX.
    int firstCellY, cellStepY, cellStepX;
    int (*firstCellX)(int y);

    // The plan: where a raster position lies, the maze's width, a cell's height, and half a wall's
    // length over the distance between a cell's centre and the wall's middle.
    PlanPoint (*planPoint)(int gy, int gx);
    double (*planWidth)(int cellsX);
    double planCell;
    double planHalfEdge;

    // Standing in the maze: the heading at the start (down into it, the way the entrance opens), and
    // the base direction a quarter (square) or a sixth (honeycomb) of a turn to the left or right of
    // d as the plan shows it, and the one straight behind it.
    int startHeading;
    int (*turnLeft)(int d);
    int (*turnRight)(int d);
    int (*behind)(int d);
};

const StyleRules& RulesOf(MazeStyle style);
// The style the tool's --style names, or null.
const StyleRules* RulesNamed(std::string_view name);

// The style's scene can hold a maze of this shape (MazeShape's limits hold already).
bool StyleCanDraw(const MazeShape& shape);

// Each style's table, for code that names the style (tests, the plan's examples).
extern const StyleRules kSquareRules;
extern const StyleRules kHoneycombRules;

// Sizing and extents, exposed so their edge cases can be checked on their own.
MazeShape SizeSquareGrid(double widthTwips, double heightTwips);
MazeShape SizeHexGrid(double widthTwips, double heightTwips, double sqrtThree);
double HexSceneWidth(int cellsX, double sqrtThree);
double HexSceneDepth(int cellsY, double sqrtThree);

}  // namespace quivra
