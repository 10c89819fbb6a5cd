// SPDX-License-Identifier: GPL-3.0-or-later
// What the game says of a walk: its log of moves, replayed after a fresh build, and the trail and
// correct path every drawing projects.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/key_codes.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// Everything a view draws from, compared field by field.
void ExpectSameWalk(const Game& a, const Game& b) {
    EXPECT_EQ(a.walk().walkGrid, b.walk().walkGrid);
    EXPECT_EQ(a.walk().playerX, b.walk().playerX);
    EXPECT_EQ(a.walk().playerY, b.walk().playerY);
    EXPECT_EQ(a.walk().playerSceneX, b.walk().playerSceneX);
    EXPECT_EQ(a.walk().playerSceneY, b.walk().playerSceneY);
    EXPECT_EQ(a.walk().lineColorIndex, b.walk().lineColorIndex);
    EXPECT_EQ(a.walk().exitReached, b.walk().exitReached);
    EXPECT_TRUE(a.Trail() == b.Trail());
    EXPECT_EQ(a.Moves(), b.Moves());
}

// Keys pressed on one game, its log replayed on a fresh build of the same code: the same walk,
// whatever the keys did (blocked, back along the trail, other styles' keys, out through the exit).
TEST(MoveLog, ReplayedOnAFreshBuildGivesTheSameWalk) {
    struct Case {
        const char* name;
        const char* code;
        int wander;        // random walking keys first
        bool thenExit;     // then back to the start along the log and out along the correct path
    };
    const Case cases[] = {
        {"square, a short wander", "S15x10-11882719-Y", 40, false},
        {"square, wander then out", "S15x10-11882719-Y", 300, true},
        {"honeycomb, a short wander", "H21x13-93782719-0", 40, false},
        {"honeycomb, wander then out", "H21x13-93782719-0", 300, true},
    };
    const int keys[] = {vk::kLeft, vk::kRight, vk::kUp, vk::kDown, vk::kHome, vk::kEnd, vk::kPageUp, vk::kPageDown};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game played = test::GameFromCode(c.code);
        ASSERT_TRUE(played.HasMaze());
        std::mt19937 rng(11);
        int steps = 0, blocked = 0, back = 0;
        for (int i = 0; i < c.wander; ++i) {
            const KeyResult k = played.PressKey(keys[rng() % std::size(keys)]);
            if (!k.consumed) continue;
            if (k.step.outcome == StepOutcome::Blocked) ++blocked;
            if (k.step.outcome == StepOutcome::MovedBack) ++back;
            if (k.step.outcome != StepOutcome::Blocked) ++steps;
        }
        if (c.thenExit) {
            // Back to the start the way the log came, then out along the correct path.
            const int opposite4[] = {2, 3, 0, 1}, opposite6[] = {5, 4, 3, 2, 1, 0};
            const std::vector<uint8_t> there = played.Moves();
            for (auto it = there.rbegin(); it != there.rend(); ++it) {
                played.Step(played.Rules().directions == 4 ? opposite4[*it] : opposite6[*it]);
            }
            ASSERT_EQ(played.walk().playerX, played.Rules().startX);
            for (int d : played.Path().directions) played.Step(d);
            ASSERT_TRUE(played.walk().exitReached);
        }
        EXPECT_GT(blocked, 0);
        EXPECT_GT(back, 0);
        EXPECT_GE(played.Moves().size(), static_cast<size_t>(steps));   // a byte a step, none for a blocked one

        Game replayed = test::GameFromCode(c.code);
        EXPECT_TRUE(replayed.Replay(played.Moves()));
        ExpectSameWalk(played, replayed);
    }
}

TEST(MoveLog, ClearAndANewMazeEmptyItAndABadMoveStopsAReplay) {
    Game g = test::GameFromCode("S15x10-11882719-Y");
    const std::vector<int> directions = g.Path().directions;
    const std::vector<uint8_t> path(directions.begin(), directions.end());
    ASSERT_TRUE(g.Replay({path[0], path[1]}));
    EXPECT_EQ(g.Moves().size(), 2u);
    g.Clear();
    EXPECT_TRUE(g.Moves().empty());
    g.Replay({path[0]});
    g.NewGame(100);
    g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    EXPECT_TRUE(g.Moves().empty());

    // A move into a wall, or no direction of the style: the walk stays as far as it got.
    Game h = test::GameFromCode("S15x10-11882719-Y");
    const uint8_t up = 3;   // back out through the entrance: never open
    EXPECT_FALSE(h.Replay({up, path[0]}));
    EXPECT_TRUE(h.Moves().empty());
    EXPECT_FALSE(h.Replay({path[0], 4, path[1]}));
    EXPECT_EQ(h.Moves().size(), 1u);
}

// A hand-made 2 x 2 maze: the entrance above (1, 1), a corridor right and down to (3, 3), the
// exit below it.
Game SmallSquare() { return test::SquareGameFromRows({"01000", "01110", "00010", "02010", "00010"}); }

TEST(WalkMeaning, TheTrailIsHalfLinesForwardBackInAndOut) {
    Game g = SmallSquare();
    const TrailKind In = TrailKind::In, F = TrailKind::Forward, B = TrailKind::Back, Out = TrailKind::Out;
    using T = std::vector<TrailSegment>;
    EXPECT_TRUE(g.Trail() == (T{{{1, 1}, {1, 0}, 3, In}}));
    g.Step(2);   // right
    EXPECT_TRUE(g.Trail() == (T{{{1, 1}, {3, 1}, 2, F}, {{1, 1}, {1, 0}, 3, In}, {{3, 1}, {1, 1}, 0, F}}));
    g.Step(0);   // back left: the cell left behind is stepped back from, both halves yellow
    EXPECT_TRUE(g.Trail() == (T{{{1, 1}, {3, 1}, 2, B}, {{1, 1}, {1, 0}, 3, In}, {{3, 1}, {1, 1}, 0, B}}));
    g.Step(2);   // walked again: green again
    g.Step(1);   // down
    g.Step(1);   // out
    ASSERT_TRUE(g.walk().exitReached);
    EXPECT_TRUE(g.Trail() == (T{{{1, 1}, {3, 1}, 2, F},
                                {{1, 1}, {1, 0}, 3, In},
                                {{3, 1}, {1, 1}, 0, F},
                                {{3, 1}, {3, 3}, 1, F},
                                {{3, 3}, {3, 4}, 1, Out},
                                {{3, 3}, {3, 1}, 3, F}}));
}

TEST(WalkMeaning, TheCorrectPathIsItsCellsAndTheWayOut) {
    const CorrectPath path = SmallSquare().Path();
    EXPECT_TRUE(path.cells == (std::vector<Cell>{{1, 1}, {3, 1}, {3, 3}}));
    EXPECT_EQ(path.directions, (std::vector<int>{2, 1, 1}));
    EXPECT_TRUE(path.ReachesExit());
    // Marks that end before the exit give the path as far as they go.
    Game broken = test::SquareGameFromRows({"01000", "01110", "00000", "02020", "00010"});
    EXPECT_TRUE(broken.Path().cells == (std::vector<Cell>{{1, 1}, {3, 1}}));
    EXPECT_FALSE(broken.Path().ReachesExit());
}

}  // namespace
}  // namespace quivra
