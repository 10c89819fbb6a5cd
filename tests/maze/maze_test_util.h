#pragma once
// Shared by the maze tests: one maze of either style, and a checker for everything a solved maze
// must satisfy.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "maze/tables.h"

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
    int Carve(const SeedDigits& s) {
        return hex ? CarveHexMaze(T.hexStepX, T.hexStepY, grid, gridMaxX, gridMaxY, steps, cellsX, cellsY, s)
                   : CarveSquareMaze(T.stepX, T.stepY, grid, gridMaxX, gridMaxY, steps, cellsX, cellsY, s);
    }
    MazeMeasures Solve() {
        return hex ? SolveHexMaze(T.hexStepX, T.hexStepY, steps, grid, gridMaxX, gridMaxY)
                   : SolveSquareMaze(T.stepX, T.stepY, steps, grid, gridMaxX, gridMaxY);
    }
    GenerationReport Generate(std::string_view text, const Clock& clock, double budget) {
        return hex ? GenerateHexMaze(T.mixA, T.mixB, T.hexStepX, T.hexStepY, clock, text, grid, gridMaxX, gridMaxY,
                                     steps, cellCount, cellsX, cellsY, budget)
                   : GenerateSquareMaze(T.mixA, T.mixB, T.stepX, T.stepY, clock, text, grid, gridMaxX, gridMaxY,
                                        steps, cellCount, cellsX, cellsY, budget);
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
    const ByteGrid& g = m.grid;
    std::vector<char> slot(g.Size()), seen(g.Size());
    const int W = m.gridMaxX + 1;
    int cells = 0, passages = 0, ones = 0;
    for (int y = 0; y <= m.gridMaxY; ++y) {
        for (int x = 0; x <= m.gridMaxX; ++x) {
            if (!m.IsCell(y, x)) continue;
            ++cells;
            EXPECT_TRUE(g(y, x) == 1 || g(y, x) == 2) << "cell " << y << "," << x;
            for (int d = 0; d < m.Slots(); ++d) {
                auto [dy, dx] = m.Step(d, 0);
                if (slot[(y + dy) * W + x + dx]++) continue;
                if (m.IsCell(y + 2 * dy, x + 2 * dx)) {
                    passages += g(y + dy, x + dx) != 0;
                } else if (Pos{y + dy, x + dx} != m.Entrance() && Pos{y + dy, x + dx} != m.Exit()) {
                    EXPECT_EQ(g(y + dy, x + dx), 0) << "border " << y + dy << "," << x + dx;
                }
            }
        }
    }
    EXPECT_EQ(cells, m.cellCount);
    EXPECT_EQ(passages, cells - 1);
    for (int y = 0; y <= m.gridMaxY; ++y) {
        for (int x = 0; x <= m.gridMaxX; ++x) {
            ones += g(y, x) == 1;
            if (!m.IsCell(y, x) && !slot[y * W + x]) {
                EXPECT_EQ(g(y, x), m.Raster(y, x)) << "post or margin " << y << "," << x;
            }
        }
    }
    std::vector<Pos> todo = {m.First()};   // connected: flood the cells through open slots
    int reached = 0;
    for (seen[m.First().first * W + m.First().second] = 1; !todo.empty(); ++reached) {
        auto [y, x] = todo.back();
        todo.pop_back();
        for (int d = 0; d < m.Slots(); ++d) {
            auto [dy, dx] = m.Step(d, 0);
            if (m.IsCell(y + 2 * dy, x + 2 * dx) && g(y + dy, x + dx) && !seen[(y + 2 * dy) * W + x + 2 * dx]++)
                todo.push_back({y + 2 * dy, x + 2 * dx});
        }
    }
    EXPECT_EQ(reached, cells);
    int length = 1;
    Pos at = m.First(), from = m.Entrance();
    for (;; ++length) {
        std::vector<Pos> ways;
        for (int d = 0; d < m.Slots(); ++d) {
            const Pos w{at.first + m.Step(d, 0).first, at.second + m.Step(d, 0).second};
            if (w != from && g(w.first, w.second) == 1) ways.push_back(w);
        }
        if (ways.size() != 1 || length > cells) {
            ADD_FAILURE() << "route branches or ends at " << at.first << "," << at.second;
            return length;
        }
        if (ways[0] == m.Exit()) break;
        from = ways[0];
        at = {2 * ways[0].first - at.first, 2 * ways[0].second - at.second};
    }
    EXPECT_EQ(ones, 2 * length + 1) << "marks off the route";   // cells, passages between, both openings
    return length;
}

// One second per reading: with a budget of n seconds, exactly n candidates.
inline Clock SteppingClock() {
    return [t = 0.0]() mutable { return t++; };
}

}  // namespace quivra::testing
