// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/style_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "game/game.h"
#include "game/key_codes.h"
#include "game/texts.h"
#include "maze/hex_maze.h"

namespace quivra {

namespace {

constexpr double kCellTwips = 360;   // a quarter inch of window per square cell when sizing
constexpr double kUnitTwips = 360;   // and per scene unit of a honeycomb
constexpr double kWall = 0.25;

// Far beyond any real screen (a 32767-pixel square window gives about 900 x 800 cells); they only
// keep the float-to-int conversions and the grid's memory bounded for absurd window shapes.
constexpr int kMaxHexColumns = 8191;
constexpr int kMaxHexCells = 1 << 22;

const double kSqrtThree = std::sqrt(3.0);

// ---- squares ----

// Letters serve keyboards without Home, End, PgUp and PgDn (most laptops): on QWERTY the square's
// four directions sit under W A S D, and the honeycomb's six under Q W E / A S D.
int SquareKey(int key) {
    switch (key) {
        case vk::kLeft: case vk::kPad4: case vk::kA: return 0;
        case vk::kDown: case vk::kPad2: case vk::kS: return 1;
        case vk::kRight: case vk::kPad6: case vk::kD: return 2;
        case vk::kUp: case vk::kPad8: case vk::kW: return 3;
        case vk::kPageUp: case vk::kPageDown: case vk::kEnd: case vk::kHome:
        case vk::kPad1: case vk::kPad3: case vk::kPad7: case vk::kPad9: case vk::kQ: case vk::kE: return kBeepKey;
        default: return kNotAKey;
    }
}

bool HoldsSquareMaze(const MazeState& m) { return m.mazeGrid.Exists(); }

int CarveSquare(const FixedTables& t, ByteGrid& grid, const MazeShape& shape, PathSteps& steps, const SeedDigits& d) {
    return CarveSquareMaze(t.stepX, t.stepY, grid, shape, steps, d);
}
MazeMeasures SolveSquare(const FixedTables& t, PathSteps& steps, ByteGrid& grid, const MazeShape& shape) {
    return SolveSquareMaze(t.stepX, t.stepY, steps, grid, shape);
}
GenerationReport GenerateSquare(const FixedTables& t, const Clock& clock, std::string_view seedText, ByteGrid& grid,
                                const MazeShape& shape, PathSteps& steps, double budget, int threads) {
    return GenerateSquareMaze(t.mixTableA, t.mixTableB, t.stepX, t.stepY, clock, seedText, grid, shape, steps, budget,
                              threads);
}

void SquareSceneStep(int x, int y, int tx, int ty, double& sceneX, double& sceneY) {
    sceneX += (tx - x) / 2;
    sceneY += (ty - y) / 2;
}

// ---- hexagons ----

int HexKey(int key) {
    switch (key) {
        case vk::kHome: case vk::kPad7: case vk::kQ: return 0;
        case vk::kEnd: case vk::kPad1: case vk::kA: return 1;
        case vk::kUp: case vk::kPad8: case vk::kW: return 2;
        case vk::kDown: case vk::kPad2: case vk::kS: return 3;
        case vk::kPageUp: case vk::kPad9: case vk::kE: return 4;
        case vk::kPageDown: case vk::kPad3: case vk::kD: return 5;
        case vk::kLeft: case vk::kPad4: case vk::kRight: case vk::kPad6: return kBeepKey;
        default: return kNotAKey;
    }
}

// The style can change while minimised, and the restore keeps the old maze: then the grids hold
// a square one, of other extents.
bool HoldsHexMaze(const MazeState& m) {
    if (m.cellsX < 3 || m.cellsX % 2 == 0 || m.cellsY < 2) return false;
    const MazeShape shape = MazeShape::Honeycomb(m.cellsX, m.cellsY);
    return m.gridMaxX == shape.gridMaxX && m.gridMaxY == shape.gridMaxY && m.mazeGrid.MaxX() == m.gridMaxX &&
           m.mazeGrid.MaxY() == m.gridMaxY;
}

int CarveHex(const FixedTables& t, ByteGrid& grid, const MazeShape& shape, PathSteps& steps, const SeedDigits& d) {
    return CarveHexMaze(t.hexStepX, t.hexStepY, grid, shape, steps, d);
}
MazeMeasures SolveHex(const FixedTables& t, PathSteps& steps, ByteGrid& grid, const MazeShape& shape) {
    return SolveHexMaze(t.hexStepX, t.hexStepY, steps, grid, shape);
}
GenerationReport GenerateHex(const FixedTables& t, const Clock& clock, std::string_view seedText, ByteGrid& grid,
                             const MazeShape& shape, PathSteps& steps, double budget, int threads) {
    return GenerateHexMaze(t.mixTableA, t.mixTableB, t.hexStepX, t.hexStepY, clock, seedText, grid, shape, steps,
                           budget, threads);
}

// Straight up or down is a whole cell's height; the four slanted steps go 1.5 across and half a
// cell's height.
void HexSceneStep(int x, int y, int tx, int ty, double& sceneX, double& sceneY) {
    const int dy = ty - y;
    if (dy == -4) {
        sceneY -= kSqrtThree;
    } else if (dy == 4) {
        sceneY += kSqrtThree;
    } else {
        sceneX += tx > x ? 1.5 : -1.5;
        sceneY += dy < 0 ? -kSqrtThree / 2 : kSqrtThree / 2;
    }
}

// Clockwise on the plan (y grows downwards): up, up-right, down-right, down, down-left, up-left.
constexpr int kHexClockwise[6] = {2, 4, 5, 3, 1, 0};
int HexTurn(int d, int sixths) {
    for (int i = 0; i < 6; ++i) {
        if (kHexClockwise[i] == d) return kHexClockwise[(i + sixths) % 6];
    }
    return d;
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

double HexSceneWidth(int cellsX, double sqrtThree) { return (cellsX - 1) * 3.0 / 2 + 2 + kWall / sqrtThree; }
double HexSceneDepth(int cellsY, double sqrtThree) { return cellsY * sqrtThree + kWall; }

MazeShape SizeHexGrid(double widthTwips, double heightTwips, double sqrtThree) {
    int cellsX = 3;
    int cellsY = 2;
    const double columns = std::floor((widthTwips / kUnitTwips - 2 - kWall / sqrtThree) * 2 / 3 + 1);
    if (columns >= kMaxHexColumns) {
        cellsX = kMaxHexColumns;
    } else if (columns >= 3) {
        cellsX = static_cast<int>(columns);
        if (cellsX % 2 == 0) --cellsX;
    }
    // No drawing width (a window narrower than the scroll bar) has no aspect ratio: keep 2 rows.
    if (widthTwips > 0) {
        const double sceneWidth = HexSceneWidth(cellsX, sqrtThree);
        const double rows = std::floor((sceneWidth * (heightTwips / widthTwips) - kWall) / sqrtThree);
        const int maxRows = kMaxHexCells / cellsX;
        if (rows >= maxRows) {
            cellsY = maxRows;
        } else if (rows >= 2) {
            cellsY = static_cast<int>(rows);
        }
    }
    return MazeShape::Honeycomb(cellsX, cellsY);
}

const StyleRules kSquareRules{
    .style = MazeStyle::Square,
    .name = "square",
    .directions = kSquareDirections,
    .walkingHint = kSquareHint,
    .keyDirection = SquareKey,
    .minCellsX = 2,
    .minCellsY = 2,
    .oddCellsX = false,
    .maxCellsX = MazeShape::kMaxSide,
    .maxCellCount = std::numeric_limits<int>::max(),
    .sizeGrid = SizeSquareGrid,
    .sceneWidth = [](int cellsX) { return cellsX + 0.25; },
    .sceneDepth = [](int cellsY) { return cellsY + 0.25; },
    .holdsMaze = HoldsSquareMaze,
    .carve = CarveSquare,
    .solve = SolveSquare,
    .generate = GenerateSquare,
    .stepX = [](const FixedTables& t, int d) { return static_cast<int>(t.stepX[d][0]); },
    .stepY = [](const FixedTables& t, int d) { return static_cast<int>(t.stepY[d][0]); },
    .startX = 1,
    .startY = 1,
    .startSceneX = 0.625,
    .startSceneY = 0.625,
    .sceneStep = SquareSceneStep,
    .firstCellY = 1,
    .cellStepY = 2,
    .cellStepX = 2,
    .firstCellX = [](int) { return 1; },
    .planPoint = [](int gy, int gx) { return PlanPoint{gx / 2.0, gy / 2.0}; },
    .planWidth = [](int cellsX) { return static_cast<double>(cellsX); },
    .planCell = 1.0,
    .planHalfEdge = 1.0,
    // 0 left, 1 down, 2 right, 3 up: counter-clockwise on the plan.
    .startHeading = 1,
    .turnLeft = [](int d) { return (d + 1) % 4; },
    .turnRight = [](int d) { return (d + 3) % 4; },
    .behind = [](int d) { return (d + 2) % 4; },
};

const StyleRules kHoneycombRules{
    .style = MazeStyle::Honeycomb,
    .name = "hex",
    .directions = kHexDirections,
    .walkingHint = kHexHint,
    .keyDirection = HexKey,
    .minCellsX = 3,
    .minCellsY = 2,
    .oddCellsX = true,
    .maxCellsX = kMaxHexColumns,
    .maxCellCount = kMaxHexCells,
    .sizeGrid = [](double w, double h) { return SizeHexGrid(w, h, kSqrtThree); },
    .sceneWidth = [](int cellsX) { return HexSceneWidth(cellsX, kSqrtThree); },
    .sceneDepth = [](int cellsY) { return HexSceneDepth(cellsY, kSqrtThree); },
    .holdsMaze = HoldsHexMaze,
    .carve = CarveHex,
    .solve = SolveHex,
    .generate = GenerateHex,
    .stepX = [](const FixedTables& t, int d) { return static_cast<int>(t.hexStepX[d][0]); },
    .stepY = [](const FixedTables& t, int d) { return static_cast<int>(t.hexStepY[d][0]); },
    .startX = 3,
    .startY = 2,
    .startSceneX = 1.0,
    .startSceneY = kSqrtThree / 2,
    .sceneStep = HexSceneStep,
    .firstCellY = 2,
    .cellStepY = 2,
    .cellStepX = 8,
    .firstCellX = [](int y) { return y % 4 == 2 ? 3 : 7; },
    .planPoint = [](int gy, int gx) { return PlanPoint{(3.0 * gx - 1) / 8, gy * kSqrtThree / 4}; },
    .planWidth = [](int cellsX) { return 1.5 * cellsX + 0.5; },
    .planCell = kSqrtThree,
    .planHalfEdge = 1 / kSqrtThree,
    .startHeading = 3,
    .turnLeft = [](int d) { return HexTurn(d, 5); },
    .turnRight = [](int d) { return HexTurn(d, 1); },
    .behind = [](int d) { return 5 - d; },
};

bool StyleCanDraw(const MazeShape& shape) {
    const StyleRules& rules = RulesOf(shape.style);
    return shape.cellsX <= rules.maxCellsX && shape.cellCount <= rules.maxCellCount;
}

const StyleRules* RulesNamed(std::string_view name) {
    for (const StyleRules* rules : {&kSquareRules, &kHoneycombRules}) {
        if (name == rules->name) return rules;
    }
    return nullptr;
}

const StyleRules& RulesOf(MazeStyle style) {
    return style == MazeStyle::Honeycomb ? kHoneycombRules : kSquareRules;
}

}  // namespace quivra
