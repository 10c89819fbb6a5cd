// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Square maze: cells at odd (x, y) of the raster of MazeShape::Square.
// Codes: 0 wall, 2 open, 1 entrance and (after solving) the correct path.
#include <string_view>

#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "maze/random.h"

namespace quivra {

struct MazeMeasures {
    int pathLength = 0;
    int contacts = 0;
};

// What a generation run did, for the tool and the tests (the game ignores it).
struct GenerationReport {
    SeedDigits bestDigits{};
    int bestTrial = 0;   // 0-based index of the kept candidate
    int trials = 0;      // candidates carved
    int draws = 0;       // register draws of the final carve
    MazeMeasures measures;   // of the maze left in the grid
};

// Carves one maze from one candidate seed; returns the register draws made.
int CarveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, ByteGrid& mazeGrid,
                    const MazeShape& shape, PathSteps& pathSteps, const SeedDigits& seed);

// Marks the correct path with 1 and measures it.
MazeMeasures SolveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, PathSteps& pathSteps,
                             ByteGrid& mazeGrid, const MazeShape& shape);

// Keeps the best of as many candidates as fit in the budget (seconds, read from clock), carving them on
// `threads` threads (0: every core). The choice does not depend on the number of threads.
GenerationReport GenerateSquareMaze(const MixTable& mixTableA, const MixTable& mixTableB,
                                    const SquareStepTable& stepX, const SquareStepTable& stepY,
                                    const Clock& clock, std::string_view seedText, ByteGrid& mazeGrid,
                                    const MazeShape& shape, PathSteps& pathSteps, double budget, int threads = 0);

}  // namespace quivra
