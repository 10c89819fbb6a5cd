// SPDX-License-Identifier: GPL-3.0-or-later
// The generators of both styles from arbitrary seed text, sizes and candidate counts. Every maze
// they leave must be perfect with one marked route, and the report must describe it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "maze/tables.h"
#include "tests/maze/maze_check.h"

namespace {

using namespace quivra;

// Kept to at most 128 cells per side so that one input takes milliseconds.
constexpr int kMaxSide = 128;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MazeTables& t = GameTables();
    if (size < 4) return 0;
    const bool hex = data[0] & 1;
    // Small sides are the interesting ones: most inputs stay under 24, one in sixteen goes to the
    // limit with a single candidate.
    const bool big = (data[0] & 0xF0) == 0xF0;
    const int range = big ? kMaxSide : 24;
    const int trials = big ? 1 : 1 + (data[0] >> 1) % 4;
    int cellsX = 2 + data[1] % (range - 1);
    const int cellsY = 2 + data[2] % (range - 1);
    if (hex) cellsX = (cellsX % 2 == 0) ? cellsX + 1 : cellsX;   // odd, at least 3
    const double budgetOrNan = data[3] == 0xFF ? __builtin_nan("") : trials;
    const std::string_view seedText(reinterpret_cast<const char*>(data + 4), size - 4);

    const mazecheck::Shape s = mazecheck::MakeShape(hex, cellsX, cellsY);
    ByteGrid grid;
    grid.Redim(s.gridMaxY, s.gridMaxX);
    PathSteps steps(static_cast<size_t>(s.cellCount) + 1);
    double reading = 0;
    const Clock clock = [&reading] { return reading++; };   // one candidate per second of budget
    const GenerationReport r =
        hex ? GenerateHexMaze(t.mixA, t.mixB, t.hexStepX, t.hexStepY, clock, seedText, grid,
                              MazeShape::Honeycomb(cellsX, cellsY), steps, budgetOrNan)
            : GenerateSquareMaze(t.mixA, t.mixB, t.stepX, t.stepY, clock, seedText, grid,
                                 MazeShape::Square(cellsX, cellsY), steps, budgetOrNan);
    const int route = mazecheck::CheckMaze(s, grid, t.hexStepX, t.hexStepY, t.stepX, t.stepY);
    const int expectedTrials = data[3] == 0xFF ? 1 : trials;
    if (r.trials != expectedTrials || r.bestTrial < 0 || r.bestTrial >= r.trials) {
        mazecheck::Fail(s, "candidate count", r.trials, r.bestTrial);
    }
    if (r.measures.pathLength != route) mazecheck::Fail(s, "reported path length", r.measures.pathLength, route);
    for (uint8_t digit : r.bestDigits) {
        if (digit > 9) mazecheck::Fail(s, "seed digit out of range", digit, 0);
    }
    return 0;
}
