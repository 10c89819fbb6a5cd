// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Honeycomb maze: every hexagon is a 7 x 5 patch of the raster of MazeShape::Honeycomb
// ((4 * cellsY + 1) x (4 * cellsX + 3) positions), cell centres at x = 4 * col + 3; even columns
// centred at y = 2, 6, ..., odd ones at 4, 8, ...
// Codes: 0 closed slot or post, 2 floor, margins and open slots, 1 entrance and correct path.
#include <string_view>

#include "maze/square_maze.h"

namespace quivra {

// The raster before carving: every hexagon outline closed, cell centres 0, floor and margins 2.
uint8_t HexRasterCode(int y, int x, int gridMaxY);
void FillHexRaster(ByteGrid& mazeGrid, int gridMaxX, int gridMaxY);

int CarveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, ByteGrid& mazeGrid,
                 const MazeShape& shape, PathSteps& pathSteps, const SeedDigits& seed);

MazeMeasures SolveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, PathSteps& pathSteps,
                          ByteGrid& mazeGrid, const MazeShape& shape);

GenerationReport GenerateHexMaze(const MixTable& mixTableA, const MixTable& mixTableB, const HexStepTable& hexStepX,
                                 const HexStepTable& hexStepY, const Clock& clock, std::string_view seedText,
                                 ByteGrid& mazeGrid, const MazeShape& shape, PathSteps& pathSteps, double budget,
                                 int threads = 0);

}  // namespace quivra
