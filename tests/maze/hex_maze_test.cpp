#include <gtest/gtest.h>

#include <random>

#include "maze/hex_maze.h"
#include "maze_test_util.h"

namespace quivra {
namespace {

using testing::GridRows;
using testing::Tables;

struct HexMaze {
    int cellsX, cellsY, gridMaxX, gridMaxY, cellCount;
    ByteGrid grid;
    PathSteps steps;
    HexMaze(int cx, int cy)
        : cellsX(cx),
          cellsY(cy),
          gridMaxX(cx / 2 * 8 + 6),
          gridMaxY(4 * cy),
          cellCount(cx * cy - cx / 2),
          steps(cellCount + 1) {
        grid.Redim(gridMaxY, gridMaxX);
    }
    int Carve(const SeedDigits& seed) {
        return CarveHexMaze(Tables().hexStepX, Tables().hexStepY, grid, gridMaxX, gridMaxY, steps, cellsX, cellsY,
                            seed);
    }
    MazeMeasures Solve() {
        return SolveHexMaze(Tables().hexStepX, Tables().hexStepY, steps, grid, gridMaxX, gridMaxY);
    }
    GenerationReport Generate(std::string_view seedText, const Clock& clock, double budget) {
        return GenerateHexMaze(Tables().mixA, Tables().mixB, Tables().hexStepX, Tables().hexStepY, clock, seedText,
                               grid, gridMaxX, gridMaxY, steps, cellCount, cellsX, cellsY, budget);
    }
    int ReferenceCarve(ByteGrid& g, const SeedDigits& seed) const {
        g.Redim(gridMaxY, gridMaxX);
        auto start = [this](const std::function<int()>& draw) {
            const int col = draw() % cellsX;
            const int r2 = draw();
            return std::make_pair(col % 2 ? 4 * (r2 % (cellsY - 1)) + 4 : 4 * (r2 % cellsY) + 2, 4 * col + 3);
        };
        const int maxY = gridMaxY;
        return testing::ReferenceCarve<6>(Tables().hexStepX, Tables().hexStepY, g, gridMaxX, gridMaxY, seed, 727, 720,
                                          [maxY](int y, int x) { return HexRasterCode(y, x, maxY); }, start, {0, 3},
                                          {gridMaxY, gridMaxX - 3});
    }
    // The (y, x) positions marked 1 from the entrance on, following the recorded steps.
    std::vector<std::pair<int, int>> RouteFromSteps(const MazeMeasures& m) const {
        std::vector<std::pair<int, int>> route = {{0, 3}, {2, 3}};
        for (int s = 0; s + 1 < m.pathLength; ++s) {
            const int dx = Tables().hexStepX[steps[s].slot][0], dy = Tables().hexStepY[steps[s].slot][0];
            route.push_back({route.back().first + dy, route.back().second + dx});
            route.push_back({route.back().first + dy, route.back().second + dx});
        }
        route.push_back({route.back().first + 2, route.back().second});   // out through the exit
        return route;
    }
};

TEST(HexMaze, InitialRaster) {
    ByteGrid g;
    g.Redim(8, 14);
    FillHexRaster(g, 14, 8);
    std::vector<std::string> rows;
    for (const std::string& r : GridRows(g)) {
        std::string picture;
        for (char c : r) picture += c == '0' ? '#' : '.';
        rows.push_back(picture);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"..###.....###..", ".#...#...#...#.", "#..#..###..#..#",
                                              ".#...#...#...#.", "..###..#..###..", ".#...#...#...#.",
                                              "#..#..###..#..#", ".#...#...#...#.", "..###.....###.."}));
}

TEST(HexMaze, WorkedExamples) {
    {
        const SeedDigits seed{3, 3, 9, 1, 3, 7, 9, 6};
        Register reg = RegisterFromSeed(seed);
        EXPECT_EQ(NextRegisterValue(reg, 727), 49);
        EXPECT_EQ(NextRegisterValue(reg, 727), 94);
        HexMaze m(3, 2);
        EXPECT_EQ(m.Carve(seed), 7);
        EXPECT_EQ(m.grid(4, 7), 2);   // the start cell, column 1
        const MazeMeasures measures = m.Solve();
        EXPECT_EQ(measures.pathLength, 4);
        EXPECT_EQ(measures.contacts, 9);
        const std::vector<std::pair<int, int>> route = {{0, 3}, {2, 3},  {3, 5},  {4, 7}, {3, 9},
                                                        {2, 11}, {4, 11}, {6, 11}, {8, 11}};
        EXPECT_EQ(m.RouteFromSteps(measures), route);
        int ones = 0;
        for (int y = 0; y <= m.gridMaxY; ++y)
            for (int x = 0; x <= m.gridMaxX; ++x) ones += m.grid(y, x) == 1;
        EXPECT_EQ(ones, static_cast<int>(route.size()));
        for (auto [y, x] : route) EXPECT_EQ(m.grid(y, x), 1) << y << "," << x;
    }
    {
        const SeedDigits seed{3, 3, 7, 8, 2, 7, 1, 9};
        Register reg = RegisterFromSeed(seed);
        EXPECT_EQ(NextRegisterValue(reg, 727), 48);
        EXPECT_EQ(NextRegisterValue(reg, 727), 92);   // column 48 mod 5 = 3, row 92 mod 2 = 0: (4, 15)
        HexMaze m(5, 3);
        EXPECT_EQ(m.Carve(seed), 15);
        const MazeMeasures measures = m.Solve();
        EXPECT_EQ(measures.pathLength, 8);
        EXPECT_EQ(measures.contacts, 15);
    }
}

TEST(HexMaze, SmallestHoneycombChoosesByContactsThenLength) {
    HexMaze m(3, 2), replay(3, 2);
    SeedDigits seed{};
    for (int i = 0; i < 300; ++i, IncrementDigits(seed)) {
        replay.Carve(seed);
        const MazeMeasures measures = replay.Solve();
        EXPECT_GE(measures.pathLength, 3);
        EXPECT_LE(measures.pathLength, 5);
    }
    int ties = 0;
    for (const char* text : {" 5", " 43200.52", "", " 7.25"}) {
        const GenerationReport r = m.Generate(text, testing::SteppingClock(), 40);
        const testing::ExpectedChoice c = testing::ReplayChoice(text, 40, 5, 21, [&](const SeedDigits& s) {
            replay.Carve(s);
            return replay.Solve();
        });
        EXPECT_EQ(r.trials, 40);
        EXPECT_EQ(r.bestTrial, c.trial) << text;
        EXPECT_EQ(r.bestDigits, c.digits) << text;
        replay.Carve(c.digits);
        replay.Solve();
        EXPECT_EQ(replay.grid, m.grid) << text;
        ties += c.contactTies;
    }
    EXPECT_GT(ties, 0) << "no run exercised the tie rules";
}

TEST(HexMaze, BudgetZeroKeepsTheOnlyTrial) {
    HexMaze m(7, 5), fresh(7, 5);
    SeedDigits mixed = SeedDigitsFromText(" 5");
    MixDigits(Tables().mixA, Tables().mixB, mixed);
    const GenerationReport r = m.Generate(" 5", testing::SteppingClock(), 0);
    EXPECT_EQ(r.trials, 1);
    EXPECT_EQ(r.bestDigits, mixed);
    EXPECT_EQ(r.draws, fresh.Carve(mixed));
    fresh.Solve();
    EXPECT_EQ(fresh.grid, m.grid);
}

TEST(HexMaze, EveryMazeIsPerfectAndMatchesTheReferenceCarve) {
    std::mt19937 rng(7001);
    std::vector<std::pair<int, int>> sizes = {{3, 2}, {3, 30}, {41, 2}, {21, 13}, {51, 23}, {105, 50}};
    for (int i = 0; i < 150; ++i) sizes.push_back({3 + 2 * static_cast<int>(rng() % 20), 2 + static_cast<int>(rng() % 20)});
    for (auto [cx, cy] : sizes) {
        SeedDigits seed;
        for (auto& digit : seed) digit = static_cast<uint8_t>(rng() % 10);
        HexMaze m(cx, cy);
        ByteGrid reference;
        const std::string what = std::to_string(cx) + "x" + std::to_string(cy);
        ASSERT_EQ(m.Carve(seed), m.ReferenceCarve(reference, seed)) << what;
        ASSERT_EQ(m.grid, reference) << what;
        const MazeMeasures measures = m.Solve();
        EXPECT_EQ(testing::CheckSolvedMaze(m.grid, testing::HexShape(cx, cy), what), measures.pathLength);
        const auto route = m.RouteFromSteps(measures);
        EXPECT_EQ(route.back(), std::make_pair(m.gridMaxY, m.gridMaxX - 3)) << what;
    }
}

TEST(HexMaze, EightKScreenHoneycombDoesNotOverflow) {
    // About 21,000 cells: far past what 16-bit counts and indices hold.
    HexMaze m(427, 49);
    ASSERT_GT(m.cellCount, 20000);
    const GenerationReport r = m.Generate(" 43200.52", testing::SteppingClock(), 2);
    EXPECT_EQ(r.trials, 2);
    EXPECT_GT(r.draws, m.cellCount);   // at least one order per cell
    EXPECT_EQ(testing::CheckSolvedMaze(m.grid, testing::HexShape(427, 49), "427x49"), r.measures.pathLength);
    ByteGrid reference;
    HexMaze replay(427, 49);
    EXPECT_EQ(replay.ReferenceCarve(reference, r.bestDigits), r.draws);
    replay.Carve(r.bestDigits);
    EXPECT_EQ(replay.grid, reference);
}

}  // namespace
}  // namespace quivra
