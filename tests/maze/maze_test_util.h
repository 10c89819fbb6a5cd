#pragma once
// Shared by the maze tests: the game's tables, a plain reference carve to compare the tuned one
// against, and a checker for everything a finished maze must satisfy.
#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "maze/hex_maze.h"
#include "maze/square_maze.h"

namespace quivra::testing {

struct GameTables {
    MixTable mixA, mixB;
    SquareStepTable stepX, stepY;
    HexStepTable hexStepX, hexStepY;
    GameTables() {
        FillMixTables(mixB, mixA);
        FillSquareStepTables(stepX, stepY);
        FillHexStepTables(hexStepX, hexStepY);
    }
};

inline const GameTables& Tables() {
    static const GameTables t;
    return t;
}

// Rows of digits, one string per y.
inline std::vector<std::string> GridRows(const ByteGrid& g) {
    std::vector<std::string> rows;
    for (int y = 0; y <= g.MaxY(); ++y) {
        std::string row;
        for (int x = 0; x <= g.MaxX(); ++x) row += static_cast<char>('0' + g(y, x));
        rows.push_back(row);
    }
    return rows;
}

// The carve written out step by step with explicit range checks, as the algorithm reads.
template <int Slots, class Table>
int ReferenceCarve(const Table& tx, const Table& ty, ByteGrid& g, int gridMaxX, int gridMaxY, const SeedDigits& seed,
                   int modulus, int orders, const std::function<uint8_t(int, int)>& raster,
                   const std::function<std::pair<int, int>(const std::function<int()>&)>& start, std::pair<int, int> entrance,
                   std::pair<int, int> exit) {
    Register reg = RegisterFromSeed(seed);
    int draws = 0;
    for (int y = 0; y <= gridMaxY; ++y)
        for (int x = 0; x <= gridMaxX; ++x) g(y, x) = raster(y, x);
    const std::function<int()> draw = [&] {
        ++draws;
        return NextRegisterValue(reg, modulus);
    };
    auto [y, x] = start(draw);
    g(y, x) = 2;
    std::vector<PathStep> stack;
    auto drawOrder = [&] {
        int v;
        do v = draw();
        while (v >= orders);
        return v;
    };
    int order = drawOrder();
    int slot = 0;
    for (;;) {
        bool found = false;
        int nx = 0, ny = 0;
        while (slot < Slots && !found) {
            nx = x + 2 * tx[slot][order];
            ny = y + 2 * ty[slot][order];
            if (nx <= 0 || nx > gridMaxX || ny <= 0 || ny > gridMaxY || g(ny, nx) != 0) {
                ++slot;
            } else {
                found = true;
            }
        }
        if (found) {
            stack.push_back({static_cast<uint8_t>(slot), static_cast<int16_t>(order)});
            g(ny, nx) = 2;
            g((y + ny) / 2, (x + nx) / 2) = 2;
            x = nx;
            y = ny;
            order = drawOrder();
            slot = 0;
        } else if (!stack.empty()) {
            slot = stack.back().slot;
            order = stack.back().order;
            stack.pop_back();
            x -= 2 * tx[slot][order];
            y -= 2 * ty[slot][order];
            ++slot;
        } else {
            break;
        }
    }
    g(entrance.first, entrance.second) = 1;
    g(exit.first, exit.second) = 2;
    return draws;
}

struct MazeShape {
    std::vector<std::pair<int, int>> cells;   // (y, x) of every cell centre
    std::vector<std::pair<int, int>> steps;   // (dy, dx) of the base directions
    std::pair<int, int> entrance, exit, startCell;
    std::function<uint8_t(int, int)> raster;  // code before carving
};

inline MazeShape SquareShape(int cellsX, int cellsY) {
    MazeShape s;
    for (int j = 0; j < cellsY; ++j)
        for (int i = 0; i < cellsX; ++i) s.cells.push_back({2 * j + 1, 2 * i + 1});
    s.steps = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    s.entrance = {0, 1};
    s.exit = {2 * cellsY, 2 * cellsX - 1};
    s.startCell = {1, 1};
    s.raster = [](int, int) { return uint8_t{0}; };
    return s;
}

inline MazeShape HexShape(int cellsX, int cellsY) {
    MazeShape s;
    const int gridMaxX = 4 * cellsX + 2, gridMaxY = 4 * cellsY;
    for (int col = 0; col < cellsX; ++col) {
        for (int y = col % 2 ? 4 : 2; y <= gridMaxY - (col % 2 ? 4 : 2); y += 4) s.cells.push_back({y, 4 * col + 3});
    }
    s.steps = {{-1, -2}, {1, -2}, {-2, 0}, {2, 0}, {-1, 2}, {1, 2}};
    s.entrance = {0, 3};
    s.exit = {gridMaxY, gridMaxX - 3};
    s.startCell = {2, 3};
    s.raster = [gridMaxY](int y, int x) { return HexRasterCode(y, x, gridMaxY); };
    return s;
}

// Everything a solved maze must satisfy; returns the number of cells on the marked route.
inline int CheckSolvedMaze(const ByteGrid& g, const MazeShape& s, const std::string& what) {
    SCOPED_TRACE(what);
    const int W = g.MaxX() + 1;
    auto at = [&](std::pair<int, int> p) { return g(p.first, p.second); };
    std::vector<int> cellIndex(g.Size(), -1);
    for (size_t i = 0; i < s.cells.size(); ++i) cellIndex[s.cells[i].first * W + s.cells[i].second] = static_cast<int>(i);
    auto cellAt = [&](int y, int x) { return g.Contains(y, x) ? cellIndex[y * W + x] : -1; };

    // Classify the slots: between two cells, or on the border.
    std::vector<char> isSlot(g.Size(), 0);
    int openInner = 0, ones = 0;
    for (auto [y, x] : s.cells) {
        EXPECT_TRUE(g(y, x) == 1 || g(y, x) == 2) << "cell " << y << "," << x;
        for (auto [dy, dx] : s.steps) {
            const int wy = y + dy, wx = x + dx;
            if (isSlot[wy * W + wx]) continue;
            isSlot[wy * W + wx] = 1;
            const bool inner = cellAt(wy + dy, wx + dx) >= 0;
            if (inner) {
                openInner += g(wy, wx) != 0;
            } else if (std::make_pair(wy, wx) != s.entrance && std::make_pair(wy, wx) != s.exit) {
                EXPECT_EQ(g(wy, wx), 0) << "border slot " << wy << "," << wx;
            }
        }
    }
    EXPECT_EQ(at(s.entrance), 1);
    EXPECT_EQ(at(s.exit), 1);
    EXPECT_EQ(openInner, static_cast<int>(s.cells.size()) - 1) << "a perfect maze opens cells - 1 passages";
    for (int y = 0; y <= g.MaxY(); ++y) {
        for (int x = 0; x <= g.MaxX(); ++x) {
            ones += g(y, x) == 1;
            if (cellAt(y, x) < 0 && !isSlot[y * W + x]) {
                EXPECT_EQ(g(y, x), s.raster(y, x)) << "post, floor or margin " << y << "," << x;
            }
        }
    }

    // Connected: every cell reachable from the start cell through open slots.
    std::vector<char> seen(s.cells.size(), 0);
    std::queue<std::pair<int, int>> q;
    q.push(s.startCell);
    seen[cellAt(s.startCell.first, s.startCell.second)] = 1;
    size_t reached = 1;
    while (!q.empty()) {
        auto [y, x] = q.front();
        q.pop();
        for (auto [dy, dx] : s.steps) {
            const int c = cellAt(y + 2 * dy, x + 2 * dx);
            if (c >= 0 && g(y + dy, x + dx) != 0 && !seen[c]) {
                seen[c] = 1;
                ++reached;
                q.push(s.cells[c]);
            }
        }
    }
    EXPECT_EQ(reached, s.cells.size());

    // The marked route: from the start cell, exactly one marked way on at every cell, ending at the exit.
    int length = 1;
    auto [y, x] = s.startCell;
    std::pair<int, int> from = s.entrance;
    for (;;) {
        std::vector<std::pair<int, int>> ways;
        for (auto [dy, dx] : s.steps) {
            if (std::make_pair(y + dy, x + dx) != from && g(y + dy, x + dx) == 1) ways.push_back({dy, dx});
        }
        EXPECT_EQ(ways.size(), 1u) << "at " << y << "," << x;
        if (ways.size() != 1) return length;
        auto [dy, dx] = ways[0];
        if (std::make_pair(y + dy, x + dx) == s.exit) break;
        from = {y + dy, x + dx};
        y += 2 * dy;
        x += 2 * dx;
        EXPECT_EQ(g(y, x), 1);
        if (++length > static_cast<int>(s.cells.size())) {
            ADD_FAILURE() << "route does not end";
            return length;
        }
    }
    EXPECT_EQ(ones, 2 * length + 1) << "marks off the route";   // cells, passages between, both openings
    return length;
}

// A clock that moves one second per reading: with a budget of n seconds, n candidates.
inline Clock SteppingClock() {
    return [t = 0.0]() mutable { return t++; };
}

}  // namespace quivra::testing

namespace quivra::testing {

// Replays the candidates of a run through trial(seed) -> MazeMeasures and applies the choice rule:
// at least a third of the cells, then fewest contacts, then longest path, then earliest.
struct ExpectedChoice {
    int trial = 0;
    SeedDigits digits{};
    int contactTies = 0;   // candidates that tied on contacts with the best so far
};

template <class TrialFn>
ExpectedChoice ReplayChoice(std::string_view seedText, int trials, int cellCount, int firstBestContacts,
                            TrialFn trial) {
    const GameTables& t = Tables();
    SeedDigits d = SeedDigitsFromText(seedText);
    MixDigits(t.mixA, t.mixB, d);
    ExpectedChoice c;
    c.digits = d;
    int bestLength = 0, bestContacts = firstBestContacts;
    for (int i = 0; i < std::max(trials, 1); ++i, IncrementDigits(d)) {
        const MazeMeasures m = trial(d);
        if (3 * m.pathLength < cellCount) continue;
        if (m.contacts == bestContacts) ++c.contactTies;
        if (m.contacts < bestContacts || (m.contacts == bestContacts && m.pathLength > bestLength)) {
            bestContacts = m.contacts;
            bestLength = m.pathLength;
            c.trial = i;
            c.digits = d;
        }
    }
    return c;
}

}  // namespace quivra::testing
