// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the maze tests: one maze of either style, and a checker for everything a solved maze
// must satisfy.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "maze/tables.h"
#include "tests/maze/maze_check.h"

namespace quivra::testing {

inline const MazeTables& T = GameTables();

using Pos = std::pair<int, int>;   // (y, x)

struct TestMaze {
    bool hex;
    int cellsX, cellsY, gridMaxX, gridMaxY, cellCount;
    ByteGrid grid;
    PathSteps steps;

    TestMaze(bool h, int cx, int cy)
        : hex(h), cellsX(cx), cellsY(cy), gridMaxX(h ? cx / 2 * 8 + 6 : 2 * cx), gridMaxY(h ? 4 * cy : 2 * cy),
          cellCount(h ? cx * cy - cx / 2 : cx * cy), steps(cellCount + 1) {
        grid.Redim(gridMaxY, gridMaxX);
    }
    MazeShape Shape() const {
        return {hex ? MazeStyle::Honeycomb : MazeStyle::Square, cellsX, cellsY, gridMaxX, gridMaxY, cellCount};
    }
    int Carve(const SeedDigits& s) {
        return hex ? CarveHexMaze(T.hexStepX, T.hexStepY, grid, Shape(), steps, s)
                   : CarveSquareMaze(T.stepX, T.stepY, grid, Shape(), steps, s);
    }
    MazeMeasures Solve() {
        return hex ? SolveHexMaze(T.hexStepX, T.hexStepY, steps, grid, Shape())
                   : SolveSquareMaze(T.stepX, T.stepY, steps, grid, Shape());
    }
    // threads 0: every core, as the game runs it.
    GenerationReport Generate(std::string_view text, const Clock& clock, double budget, int threads = 0) {
        return hex ? GenerateHexMaze(T.mixA, T.mixB, T.hexStepX, T.hexStepY, clock, text, grid, Shape(), steps,
                                     budget, threads)
                   : GenerateSquareMaze(T.mixA, T.mixB, T.stepX, T.stepY, clock, text, grid, Shape(), steps, budget,
                                        threads);
    }
    int Slots() const { return hex ? 6 : 4; }
    Pos Step(int slot, int order) const {
        return hex ? Pos{T.hexStepY[slot][order], T.hexStepX[slot][order]} : Pos{T.stepY[slot][order], T.stepX[slot][order]};
    }
    uint8_t Raster(int y, int x) const { return hex ? HexRasterCode(y, x, gridMaxY) : 0; }
    Pos Entrance() const { return {0, hex ? 3 : 1}; }
    Pos Exit() const { return {gridMaxY, gridMaxX - (hex ? 3 : 1)}; }
    Pos First() const { return hex ? Pos{2, 3} : Pos{1, 1}; }
    bool IsCell(int y, int x) const {
        if (!grid.Contains(y, x)) return false;
        if (!hex) return x % 2 == 1 && y % 2 == 1;
        return x % 4 == 3 && (x % 8 == 3 ? y % 4 == 2 : y % 4 == 0 && y > 0 && y < gridMaxY);
    }
};

inline std::vector<std::string> GridRows(const ByteGrid& g) {
    std::vector<std::string> rows(g.MaxY() + 1);
    for (int y = 0; y <= g.MaxY(); ++y)
        for (int x = 0; x <= g.MaxX(); ++x) rows[y] += static_cast<char>('0' + g(y, x));
    return rows;
}

// Perfect maze, untouched posts and margins, one unbranched marked route; returns its cells.
inline int CheckSolvedMaze(const TestMaze& m) {
    try {
        return mazecheck::CheckMaze(mazecheck::MakeShape(m.hex, m.cellsX, m.cellsY), m.grid, T.hexStepX, T.hexStepY,
                                    T.stepX, T.stepY);
    } catch (const mazecheck::Failure& e) {
        ADD_FAILURE() << e.what();
        return 0;
    }
}

// The keeping rule replayed one candidate at a time with the plain carve and solver.
struct Choice {
    int bestTrial = 0;
    SeedDigits best{};
    int ties = 0;   // candidates that tied the best contacts so far
};
inline Choice ReplayChoice(bool hex, int cellsX, int cellsY, std::string_view text, int trials) {
    TestMaze replay(hex, cellsX, cellsY);
    SeedDigits d = SeedDigitsFromText(text);
    MixDigits(T.mixA, T.mixB, d);
    Choice c{0, d, 0};
    int bestLength = 0, bestContacts = (hex ? 4 : 2) * replay.cellCount + 1;
    for (int i = 0; i < std::max(trials, 1); ++i, IncrementDigits(d)) {
        replay.Carve(d);
        const MazeMeasures m = replay.Solve();
        if (3 * m.pathLength < replay.cellCount) continue;
        c.ties += m.contacts == bestContacts;
        if (m.contacts < bestContacts || (m.contacts == bestContacts && m.pathLength > bestLength))
            c.bestTrial = i, c.best = d, bestContacts = m.contacts, bestLength = m.pathLength;
    }
    return c;
}

// One second per reading: with a budget of n seconds, exactly n candidates.
inline Clock SteppingClock() {
    return [t = 0.0]() mutable { return t++; };
}

}  // namespace quivra::testing
