// SPDX-License-Identifier: GPL-3.0-or-later
// The search on several threads keeps what the one-thread search keeps, for the same clock.
#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <tuple>

#include "maze_test_util.h"

namespace quivra::testing {
namespace {

struct Outcome {
    GenerationReport report;
    ByteGrid grid;
    PathSteps steps;
};

Outcome Search(bool hex, int cx, int cy, std::string_view text, int trials, int threads) {
    TestMaze m(hex, cx, cy);
    const GenerationReport r = m.Generate(text, SteppingClock(), trials, threads);
    return {r, m.grid, m.steps};
}

void ExpectSame(const Outcome& a, const Outcome& b) {
    EXPECT_EQ(a.report.trials, b.report.trials);
    EXPECT_EQ(a.report.bestTrial, b.report.bestTrial);
    EXPECT_EQ(a.report.bestDigits, b.report.bestDigits);
    EXPECT_EQ(a.report.draws, b.report.draws);
    EXPECT_EQ(a.report.measures.pathLength, b.report.measures.pathLength);
    EXPECT_EQ(a.report.measures.contacts, b.report.measures.contacts);
    EXPECT_EQ(a.grid, b.grid);
    ASSERT_EQ(a.steps.size(), b.steps.size());
    for (size_t i = 0; i < a.steps.size(); ++i) {
        EXPECT_TRUE(a.steps[i].slot == b.steps[i].slot && a.steps[i].order == b.steps[i].order) << i;
    }
}

TEST(CandidateSearch, SameMazeOnEveryThreadCount) {
    // Trial counts below, at and past the number of candidates that may wait to be judged (64).
    for (auto [hex, cx, cy] : {std::tuple{false, 2, 2}, {false, 32, 23}, {true, 3, 2}, {true, 21, 13}}) {
        for (int trials : {0, 1, 2, 7, 64, 65, 150}) {
            SCOPED_TRACE((hex ? "hex " : "square ") + std::to_string(cx) + "x" + std::to_string(cy) + " trials " +
                         std::to_string(trials));
            const Outcome one = Search(hex, cx, cy, " 43200.52", trials, 1);
            EXPECT_EQ(one.report.trials, std::max(trials, 1));
            for (int threads : {2, 3, 8}) ExpectSame(Search(hex, cx, cy, " 43200.52", trials, threads), one);
        }
    }
}

TEST(CandidateSearch, NoCandidateReachesAThirdOfTheCells) {
    // Sizes and seed where the first candidates all have short paths: the first one is kept.
    for (auto [hex, cx, cy, trials] : {std::tuple{false, 31, 12, 3}, {true, 21, 20, 7}}) {
        const Outcome one = Search(hex, cx, cy, " 5", trials, 1);
        ASSERT_LT(3 * one.report.measures.pathLength, TestMaze(hex, cx, cy).cellCount) << "precondition";
        EXPECT_EQ(one.report.bestTrial, 0);
        EXPECT_EQ(ReplayChoice(hex, cx, cy, " 5", trials).bestTrial, 0);
        for (int threads : {2, 4}) ExpectSame(Search(hex, cx, cy, " 5", trials, threads), one);
    }
}

TEST(CandidateSearch, KeepsWhatTheRuleKeepsOnManySizes) {
    std::mt19937 rng(7);
    for (int i = 0; i < 24; ++i) {
        const bool hex = i % 2 == 1;
        const int cx = hex ? 3 + 2 * static_cast<int>(rng() % 12) : 2 + static_cast<int>(rng() % 25);
        const int cy = 2 + static_cast<int>(rng() % 16);
        SCOPED_TRACE((hex ? "hex " : "square ") + std::to_string(cx) + "x" + std::to_string(cy));
        TestMaze m(hex, cx, cy);
        const GenerationReport r = m.Generate(" 43200.52", SteppingClock(), 30, 2);
        const Choice c = ReplayChoice(hex, cx, cy, " 43200.52", 30);
        EXPECT_EQ(r.bestTrial, c.bestTrial);
        EXPECT_EQ(r.bestDigits, c.best);
    }
}

TEST(CandidateSearch, ClockIsReadOnTheCallingThreadOncePerCandidate) {
    const std::thread::id caller = std::this_thread::get_id();
    int readings = 0;
    bool elsewhere = false;
    TestMaze m(true, 21, 13);
    // Stops after the 10th candidate however far the other threads have carved ahead.
    const GenerationReport r = m.Generate(
        " 5",
        [&] {
            elsewhere |= std::this_thread::get_id() != caller;
            return static_cast<double>(readings++);
        },
        10, 4);
    EXPECT_FALSE(elsewhere);
    EXPECT_EQ(r.trials, 10);
    EXPECT_EQ(readings, 11);   // the start, then one per candidate
    // Midnight ends the run at the candidate it is noticed after.
    double t = 86399.0;
    EXPECT_EQ(m.Generate(" 5", [&] { return t < 86400.5 ? t += 0.5 : t = 0.25; }, 1e9, 4).trials, 3);
}

}  // namespace
}  // namespace quivra::testing
