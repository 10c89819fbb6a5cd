#include <gtest/gtest.h>

#include <random>

#include "maze/square_maze.h"
#include "maze_test_util.h"

namespace quivra {
namespace {

using testing::GridRows;
using testing::Tables;

struct SquareMaze {
    int cellsX, cellsY, gridMaxX, gridMaxY, cellCount;
    ByteGrid grid;
    PathSteps steps;
    SquareMaze(int cx, int cy)
        : cellsX(cx), cellsY(cy), gridMaxX(2 * cx), gridMaxY(2 * cy), cellCount(cx * cy), steps(cx * cy + 1) {
        grid.Redim(gridMaxY, gridMaxX);
    }
    int Carve(const SeedDigits& seed) {
        return CarveSquareMaze(Tables().stepX, Tables().stepY, grid, gridMaxX, gridMaxY, steps, cellsX, cellsY, seed);
    }
    MazeMeasures Solve() { return SolveSquareMaze(Tables().stepX, Tables().stepY, steps, grid, gridMaxX, gridMaxY); }
    GenerationReport Generate(std::string_view seedText, const Clock& clock, double budget) {
        return GenerateSquareMaze(Tables().mixA, Tables().mixB, Tables().stepX, Tables().stepY, clock, seedText, grid,
                                  gridMaxX, gridMaxY, steps, cellCount, cellsX, cellsY, budget);
    }
    int ReferenceCarve(ByteGrid& g, const SeedDigits& seed) const {
        g.Redim(gridMaxY, gridMaxX);
        auto start = [this](const std::function<int()>& draw) {
            auto pick = [&](int n) {
                const int r1 = draw(), r2 = draw(), r3 = draw();
                return ((r1 * 29 + r2) * 29 + r3) % n;
            };
            const int x = 2 * pick(cellsX) + 1;
            return std::make_pair(2 * pick(cellsY) + 1, x);
        };
        return testing::ReferenceCarve<4>(Tables().stepX, Tables().stepY, g, gridMaxX, gridMaxY, seed, 29, 24,
                                          [](int, int) { return uint8_t{0}; }, start, {0, 1},
                                          {gridMaxY, gridMaxX - 1});
    }
};

TEST(SquareMaze, WorkedExampleThreeByTwo) {
    const SeedDigits seed{3, 3, 9, 1, 3, 7, 9, 6};
    Register reg = RegisterFromSeed(seed);
    for (int expected : {20, 7, 10, 10, 18, 3}) EXPECT_EQ(NextRegisterValue(reg, 29), expected);

    SquareMaze m(3, 2);
    EXPECT_EQ(m.Carve(seed), 14);
    EXPECT_EQ(GridRows(m.grid), (std::vector<std::string>{"0100000", "0222220", "0200020", "0222020", "0000020"}));
    // After the six start draws the register holds 10 7 20 7 10 10 18 3: the next draw, 27, is
    // rejected and 15 (directions 3 1 0 2) becomes the start cell's order, so its first try,
    // slot 0, goes up from (3, 5).
    EXPECT_EQ(m.steps[0].slot, 0);
    EXPECT_EQ(m.steps[0].order, 15);

    const MazeMeasures measures = m.Solve();
    EXPECT_EQ(GridRows(m.grid), (std::vector<std::string>{"0100000", "0111110", "0200010", "0222010", "0000010"}));
    EXPECT_EQ(measures.pathLength, 4);
    EXPECT_EQ(measures.contacts, 5);
    EXPECT_EQ(m.steps[0].slot, 2);
    EXPECT_EQ(m.steps[1].slot, 2);
    EXPECT_EQ(m.steps[2].slot, 1);
}

TEST(SquareMaze, SmallestGridAlwaysKeepsTheFirstCandidate) {
    SquareMaze m(2, 2);
    SeedDigits seed{};
    for (int i = 0; i < 200; ++i, IncrementDigits(seed)) {
        m.Carve(seed);
        const MazeMeasures measures = m.Solve();
        EXPECT_EQ(measures.pathLength, 3);
        EXPECT_EQ(measures.contacts, 4);
    }
    for (const char* text : {" 5", " 43200.52", ""}) {
        const GenerationReport r = m.Generate(text, testing::SteppingClock(), 50);
        EXPECT_EQ(r.trials, 50);
        EXPECT_EQ(r.bestTrial, 0);
        SeedDigits mixed = SeedDigitsFromText(text);
        MixDigits(Tables().mixA, Tables().mixB, mixed);
        EXPECT_EQ(r.bestDigits, mixed);
    }
}

TEST(SquareMaze, BudgetEndsTheRun) {
    SquareMaze m(9, 7), fresh(9, 7);
    SeedDigits mixed = SeedDigitsFromText(" 43200.52");
    MixDigits(Tables().mixA, Tables().mixB, mixed);

    // Budget 0: one trial, kept whatever its measures.
    GenerationReport r = m.Generate(" 43200.52", testing::SteppingClock(), 0);
    EXPECT_EQ(r.trials, 1);
    EXPECT_EQ(r.bestTrial, 0);
    EXPECT_EQ(r.bestDigits, mixed);
    EXPECT_EQ(r.draws, fresh.Carve(mixed));
    const MazeMeasures measures = fresh.Solve();
    EXPECT_EQ(fresh.grid, m.grid);
    EXPECT_EQ(r.measures.pathLength, measures.pathLength);
    EXPECT_EQ(r.measures.contacts, measures.contacts);

    // A clock that passes midnight ends the run at once, however large the budget.
    double t = 86399.9;
    r = m.Generate(" 5", [&] { return t -= 86399.0; }, 1e9);
    EXPECT_EQ(r.trials, 1);

    // Exactly at the budget counts as spent.
    double u = 100.0;
    r = m.Generate(" 5", [&] { return u += 0.25; }, 0.75);
    EXPECT_EQ(r.trials, 3);
}

TEST(SquareMaze, KeepsTheCandidateTheRuleChooses) {
    int ties = 0;
    for (auto [cx, cy] : {std::pair{3, 3}, {4, 3}, {5, 5}, {8, 6}, {12, 9}}) {
        for (const char* text : {" 5", " 43200.52", " 12.5", ""}) {
            SquareMaze m(cx, cy), replay(cx, cy);
            const int trials = 60;
            const GenerationReport r = m.Generate(text, testing::SteppingClock(), trials);
            const testing::ExpectedChoice c =
                testing::ReplayChoice(text, trials, m.cellCount, 2 * m.cellCount + 1, [&](const SeedDigits& s) {
                    replay.Carve(s);
                    return replay.Solve();
                });
            SCOPED_TRACE(std::to_string(cx) + "x" + std::to_string(cy) + " '" + text + "'");
            EXPECT_EQ(r.trials, trials);
            EXPECT_EQ(r.bestTrial, c.trial);
            EXPECT_EQ(r.bestDigits, c.digits);
            replay.Carve(c.digits);
            replay.Solve();
            EXPECT_EQ(replay.grid, m.grid);
            ties += c.contactTies;
        }
    }
    EXPECT_GT(ties, 0) << "no run exercised the tie rules";
}

TEST(SquareMaze, EveryMazeIsPerfectAndMatchesTheReferenceCarve) {
    std::mt19937 rng(20240601);
    std::vector<std::pair<int, int>> sizes = {{2, 2}, {2, 17}, {23, 2}, {32, 23}, {79, 42}, {159, 89}};
    for (int i = 0; i < 150; ++i) sizes.push_back({2 + static_cast<int>(rng() % 40), 2 + static_cast<int>(rng() % 30)});
    for (auto [cx, cy] : sizes) {
        SeedDigits seed;
        for (auto& digit : seed) digit = static_cast<uint8_t>(rng() % 10);
        SquareMaze m(cx, cy);
        ByteGrid reference;
        const std::string what = std::to_string(cx) + "x" + std::to_string(cy);
        ASSERT_EQ(m.Carve(seed), m.ReferenceCarve(reference, seed)) << what;
        ASSERT_EQ(m.grid, reference) << what;
        const MazeMeasures measures = m.Solve();
        EXPECT_EQ(testing::CheckSolvedMaze(m.grid, testing::SquareShape(cx, cy), what), measures.pathLength);
        // The recorded steps lead from the first cell to the last.
        int x = 1, y = 1;
        for (int s = 0; s + 1 < measures.pathLength; ++s) {
            x += 2 * Tables().stepX[m.steps[s].slot][0];
            y += 2 * Tables().stepY[m.steps[s].slot][0];
            ASSERT_EQ(m.grid(y, x), 1) << what;
        }
        EXPECT_EQ(std::make_pair(y, x), std::make_pair(m.gridMaxY - 1, m.gridMaxX - 1)) << what;
        EXPECT_GE(measures.contacts, 0);
    }
}

}  // namespace
}  // namespace quivra
