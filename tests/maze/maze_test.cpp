// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "maze_test_util.h"

namespace quivra::testing {
namespace {

using Rows = std::vector<std::string>;

TEST(MazeWorkedExamples, SquareThreeByTwo) {
    const SeedDigits seed{3, 3, 9, 1, 3, 7, 9, 6};
    Register reg = RegisterFromSeed(seed);
    for (int expected : {20, 7, 10, 10, 18, 3}) EXPECT_EQ(NextRegisterValue(reg, 29), expected);
    TestMaze m(false, 3, 2);
    EXPECT_EQ(m.Carve(seed), 14);
    EXPECT_EQ(GridRows(m.grid), (Rows{"0100000", "0222220", "0200020", "0222020", "0000020"}));
    // Register now 10 7 20 7 10 10 18 3: draw 27 is rejected, 15 (directions 3 1 0 2) is the start
    // cell's order, so its first try, slot 0, goes up from (3, 5).
    EXPECT_EQ(m.steps[0].slot, 0);
    EXPECT_EQ(m.steps[0].order, 15);
    const MazeMeasures measures = m.Solve();
    EXPECT_EQ(GridRows(m.grid), (Rows{"0100000", "0111110", "0200010", "0222010", "0000010"}));
    EXPECT_EQ(measures.pathLength, 4);
    EXPECT_EQ(measures.contacts, 5);
    EXPECT_EQ((std::vector<int>{m.steps[0].slot, m.steps[1].slot, m.steps[2].slot}), (std::vector<int>{2, 2, 1}));
}

TEST(MazeWorkedExamples, Honeycomb) {
    ByteGrid raster;
    raster.Redim(8, 14);
    FillHexRaster(raster, 14, 8);
    Rows picture = GridRows(raster);
    for (auto& row : picture)
        for (char& c : row) c = c == '0' ? '#' : '.';
    EXPECT_EQ(picture, (Rows{"..###.....###..", ".#...#...#...#.", "#..#..###..#..#", ".#...#...#...#.",
                             "..###..#..###..", ".#...#...#...#.", "#..#..###..#..#", ".#...#...#...#.",
                             "..###.....###.."}));

    Register reg = RegisterFromSeed({3, 3, 9, 1, 3, 7, 9, 6});
    EXPECT_EQ(NextRegisterValue(reg, 727), 49);
    EXPECT_EQ(NextRegisterValue(reg, 727), 94);
    TestMaze m(true, 3, 2);
    EXPECT_EQ(m.Carve({3, 3, 9, 1, 3, 7, 9, 6}), 7);
    const MazeMeasures measures = m.Solve();
    EXPECT_EQ(measures.pathLength, 4);
    EXPECT_EQ(measures.contacts, 9);
    int ones = 0;
    for (const std::string& row : GridRows(m.grid)) ones += static_cast<int>(std::count(row.begin(), row.end(), '1'));
    EXPECT_EQ(ones, 9);
    for (auto [y, x] : {Pos{0, 3}, {2, 3}, {3, 5}, {4, 7}, {3, 9}, {2, 11}, {4, 11}, {6, 11}, {8, 11}})
        EXPECT_EQ(m.grid(y, x), 1) << y << "," << x;

    reg = RegisterFromSeed({3, 3, 7, 8, 2, 7, 1, 9});
    EXPECT_EQ(NextRegisterValue(reg, 727), 48);   // column 48 mod 5 = 3
    EXPECT_EQ(NextRegisterValue(reg, 727), 92);   // row 92 mod 2 = 0: start cell (4, 15)
    TestMaze five(true, 5, 3);
    EXPECT_EQ(five.Carve({3, 3, 7, 8, 2, 7, 1, 9}), 15);
    const MazeMeasures fiveMeasures = five.Solve();
    EXPECT_EQ(fiveMeasures.pathLength, 8);
    EXPECT_EQ(fiveMeasures.contacts, 15);
}

TEST(MazeChoice, KeepsTheCandidateTheRuleChoosesAndCarvesItAgain) {
    int ties = 0;
    // On 2 x 2 squares every candidate ties (path 3, contacts 4): the first is kept.
    for (auto [hex, cx, cy] : {std::tuple{false, 2, 2}, {false, 5, 4}, {false, 9, 7}, {true, 3, 2}, {true, 5, 3}, {true, 9, 5}}) {
        for (const char* text : {" 5", " 43200.52", ""}) {
            TestMaze m(hex, cx, cy), replay(hex, cx, cy);
            const GenerationReport r = m.Generate(text, SteppingClock(), 40);
            const Choice c = ReplayChoice(hex, cx, cy, text, 40);
            ties += c.ties;
            SCOPED_TRACE(std::to_string(cx) + "x" + std::to_string(cy) + " '" + text + "'");
            EXPECT_EQ(r.trials, 40);
            EXPECT_EQ(r.bestTrial, c.bestTrial);
            EXPECT_EQ(r.bestDigits, c.best);
            EXPECT_EQ(r.draws, replay.Carve(c.best));
            const MazeMeasures again = replay.Solve();
            EXPECT_EQ(replay.grid, m.grid);
            EXPECT_TRUE(again.pathLength == r.measures.pathLength && again.contacts == r.measures.contacts);
        }
    }
    EXPECT_GT(ties, 0) << "no run exercised the tie rules";
}

TEST(MazeChoice, BudgetAndClock) {
    for (bool hex : {false, true}) {
        TestMaze m(hex, 9, 7), fresh(hex, 9, 7);
        GenerationReport r = m.Generate(" 5", SteppingClock(), 0);   // budget 0: one trial, kept
        EXPECT_EQ(r.trials, 1);
        EXPECT_EQ(r.bestDigits, (SeedDigits{3, 3, 9, 1, 3, 7, 9, 6}));
        fresh.Carve(r.bestDigits);
        fresh.Solve();
        EXPECT_EQ(fresh.grid, m.grid);
        double t = 86399.9;   // passing midnight ends the run at once
        EXPECT_EQ(m.Generate(" 5", [&] { return t -= 86399.0; }, 1e9).trials, 1);
        double u = 100.0;     // reaching the budget exactly counts as spent
        EXPECT_EQ(m.Generate(" 5", [&] { return u += 0.25; }, 0.75).trials, 3);
    }
}

TEST(MazeProperties, EveryMazeIsPerfect) {
    std::mt19937 rng(20240601);
    std::vector<std::tuple<bool, int, int>> sizes = {{false, 2, 17}, {false, 23, 2}, {false, 159, 89},
                                                     {true, 3, 30},  {true, 41, 2},  {true, 105, 50}};
    for (int i = 0; i < 40; ++i) sizes.insert(sizes.end(), {{false, 2, 2}, {true, 3, 2}});
    for (int i = 0; i < 120; ++i) {
        sizes.push_back({false, 2 + static_cast<int>(rng() % 40), 2 + static_cast<int>(rng() % 30)});
        sizes.push_back({true, 3 + 2 * static_cast<int>(rng() % 20), 2 + static_cast<int>(rng() % 20)});
    }
    for (auto [hex, cx, cy] : sizes) {
        SCOPED_TRACE((hex ? "hex " : "square ") + std::to_string(cx) + "x" + std::to_string(cy));
        SeedDigits seed;
        for (auto& digit : seed) digit = static_cast<uint8_t>(rng() % 10);
        TestMaze m(hex, cx, cy);
        const int draws = m.Carve(seed);
        EXPECT_GE(draws, (hex ? 2 : 6) + m.cellCount);   // start draws, then one order per cell
        const MazeMeasures measures = m.Solve();
        ASSERT_EQ(CheckSolvedMaze(m), measures.pathLength);
        const bool smallest = hex ? cx == 3 && cy == 2 : cx == 2 && cy == 2;
        if (smallest) {   // every such path passes the one-third test; on 2 x 2 all tie
            EXPECT_TRUE(hex ? measures.pathLength >= 3 && measures.pathLength <= 5
                            : measures.pathLength == 3 && measures.contacts == 4);
        }
        Pos at = m.First();   // the recorded steps lead to the last cell
        for (int s = 0; s + 1 < measures.pathLength; ++s)
            at = {at.first + 2 * m.Step(m.steps[s].slot, 0).first, at.second + 2 * m.Step(m.steps[s].slot, 0).second};
        EXPECT_EQ(at, (Pos{m.Exit().first - (hex ? 2 : 1), m.Exit().second}));
    }
}

TEST(MazeProperties, EightKScreenHoneycombDoesNotOverflow) {
    TestMaze m(true, 427, 49);   // about 21,000 cells, past 16-bit counts and indices
    ASSERT_GT(m.cellCount, 20000);
    const GenerationReport r = m.Generate(" 43200.52", SteppingClock(), 2);
    EXPECT_EQ(r.trials, 2);
    EXPECT_EQ(CheckSolvedMaze(m), r.measures.pathLength);
}

}  // namespace
}  // namespace quivra::testing
