// SPDX-License-Identifier: GPL-3.0-or-later
// A game that lasts, on the model: sizes and their limits, the walk kept through a resize, the
// peek at the correct path, the kept game's text, the time played and the records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "game/lasting.h"
#include "game/maze_sizes.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// The worked example of the tool's README: S3x2 carved from 3,3,9,1,3,7,9,6, whose correct path
// goes right, right, down, and down out through the exit.
const char* const kSmallCode = "S3x2-33913796-X";
constexpr int kRight = 2, kDown = 1, kLeft = 0, kUp = 3;

TEST(MazeSizes, CellsWithinEachStylesLimitsOrTheReason) {
    const MazeStyle S = MazeStyle::Square, H = MazeStyle::Honeycomb;
    struct Case {
        MazeStyle style;
        int x, y;
        const std::string* refusal;   // null: a maze
        int lo, hi;
    };
    const Case cases[] = {
        {S, 2, 2, nullptr, 0, 0},          {S, 400, 400, nullptr, 0, 0},
        {S, 31, 21, nullptr, 0, 0},        {S, 1, 10, &kCellsAcrossRange, 2, 400},
        {S, 401, 10, &kCellsAcrossRange, 2, 400}, {S, 10, 1, &kCellsDownRange, 2, 400},
        {S, 10, 401, &kCellsDownRange, 2, 400},   {H, 3, 2, nullptr, 0, 0},
        {H, 399, 400, nullptr, 0, 0},      {H, 31, 21, nullptr, 0, 0},
        {H, 2, 10, &kCellsAcrossRange, 3, 399},   {H, 401, 10, &kCellsAcrossRange, 3, 399},
        {H, 30, 20, &kHoneycombOdd, 0, 0}, {H, 31, 1, &kCellsDownRange, 2, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "x" + std::to_string(c.y) + (c.style == H ? " honeycomb" : " square"));
        const auto refusal = CheckCells(c.style, c.x, c.y);
        ASSERT_EQ(refusal.has_value(), c.refusal != nullptr);
        if (!refusal) continue;
        EXPECT_EQ(refusal->text, c.refusal);
        EXPECT_EQ(refusal->lo, c.lo);
        EXPECT_EQ(refusal->hi, c.hi);
    }
}

TEST(MazeSizes, NamedSizesFitEachStyleWithSimilarCellCounts) {
    const int square[kNamedSizes][2] = {{15, 10}, {30, 20}, {60, 40}, {120, 80}};
    for (int i = 0; i < kNamedSizes; ++i) {
        const MazeShape s = NamedSizeShape(MazeStyle::Square, i);
        EXPECT_EQ(s.cellsX, square[i][0]);
        EXPECT_EQ(s.cellsY, square[i][1]);
        const MazeShape h = NamedSizeShape(MazeStyle::Honeycomb, i);
        EXPECT_FALSE(CheckCells(MazeStyle::Honeycomb, h.cellsX, h.cellsY)) << i;
        EXPECT_NEAR(h.cellCount, s.cellCount, s.cellCount / 10) << i;
    }
    // Cells chosen in one style are brought into the other's limits.
    EXPECT_EQ(*ChosenShape(MazeStyle::Honeycomb, SizeChoice::Custom(30, 20)), MazeShape::Honeycomb(31, 20));
    EXPECT_EQ(*ChosenShape(MazeStyle::Honeycomb, SizeChoice::Custom(2, 2)), MazeShape::Honeycomb(3, 2));
    EXPECT_FALSE(ChosenShape(MazeStyle::Square, SizeChoice::Fit()));
}

TEST(MazeSizes, TheSettingsNameEveryChoiceAndRefuseOtherTexts) {
    for (const SizeChoice& c : {SizeChoice::Fit(), SizeChoice::Named(0), SizeChoice::Named(3), SizeChoice::Custom(31, 21)}) {
        EXPECT_EQ(SizeChoiceFromKey(SizeChoiceKey(c)), c) << SizeChoiceKey(c);
    }
    EXPECT_EQ(SizeChoiceKey(SizeChoice::Custom(31, 21)), "31x21");
    for (const char* bad : {"", "tiny", "31x", "x21", "31x21x", "1x21", "31x9999", "-3x4", "31 x21"}) {
        EXPECT_FALSE(SizeChoiceFromKey(bad)) << bad;
    }
}

TEST(MazeSizes, ANewGameCarvesTheChosenSizeWhateverTheWindow) {
    Game g;
    g.ChooseSize(SizeChoice::Custom(31, 21));
    g.NewGame(100);
    g.MakeNewMaze(383 * 15, 279 * 15, [] { return 100.0; }, 0);
    EXPECT_EQ(g.Code().substr(0, 7), "S31x21-");
    g.SetStyle(MazeStyle::Honeycomb);
    g.MakeNewMaze(383 * 15, 279 * 15, [] { return 100.0; }, 0);
    EXPECT_EQ(g.Code().substr(0, 7), "H31x21-");
}

// A resize: the maze stays for a code's maze and a chosen size, with the walk taken again step by
// step; a window-sized maze becomes a new game.
TEST(WalkThroughResize, TheWalkIsTakenAgainWhenTheMazeStays) {
    struct Case {
        const char* name;
        bool code;
        SizeChoice size;
        bool stays;
    };
    const Case cases[] = {
        {"a code's maze", true, SizeChoice::Fit(), true},
        {"a chosen size", false, SizeChoice::Named(0), true},
        {"the window's size", false, SizeChoice::Fit(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g = c.code ? test::GameFromCode(kSmallCode) : Game();
        g.ChooseSize(c.size);
        if (!c.code) {
            g.NewGame(100);
            g.MakeNewMaze(383 * 15, 279 * 15, [] { return 100.0; }, 0);
        }
        const std::string code = g.Code();
        // Right, then back left, then right again: a trail with a step back in it.
        const std::vector<int> walk = {kRight, kLeft, kRight};
        for (int d : walk) ASSERT_NE(g.Step(d).outcome, StepOutcome::Blocked);
        const WalkState before = g.walk();

        g.WindowResized(200);
        EXPECT_EQ(g.NeedsNewMaze(), !c.stays);
        if (!c.stays) {
            EXPECT_FALSE(g.HasWalkToReplay());
            continue;
        }
        EXPECT_EQ(g.Code(), code);
        EXPECT_EQ(g.walk().playerX, g.Rules().startX);   // until the scene is drawn
        EXPECT_EQ(g.WalkMoves(), std::vector<uint8_t>(walk.begin(), walk.end()));
        g.WindowResized(300);   // a second resize before the drawing ends loses nothing
        std::vector<StepOutcome> drawn;
        EXPECT_TRUE(g.ReplayWalk([&](const StepResult& s) { drawn.push_back(s.outcome); }));
        EXPECT_EQ(drawn, (std::vector<StepOutcome>{StepOutcome::Moved, StepOutcome::MovedBack, StepOutcome::Moved}));
        EXPECT_EQ(g.walk().walkGrid, before.walkGrid);
        EXPECT_EQ(g.walk().playerX, before.playerX);
        EXPECT_FALSE(g.HasWalkToReplay());
    }
}

TEST(WalkThroughResize, AWalkOutAndAShownPathStayWhatTheyWere) {
    Game g = test::GameFromCode(kSmallCode);
    test::Walk(g, {kRight, kRight, kDown, kDown});
    ASSERT_TRUE(g.walk().exitReached);
    g.ShowSolution();
    g.WindowResized(200);
    int steps = 0;
    g.ReplayWalk([&](const StepResult&) { ++steps; });
    EXPECT_EQ(steps, 4);
    EXPECT_TRUE(g.walk().exitReached);
    EXPECT_TRUE(g.walk().showingSolution);
    EXPECT_EQ(g.walk().lineColorIndex, kSolutionColour);
}

TEST(CorrectPathPeek, HidingThePathLetsTheWalkGoOn) {
    Game g = test::GameFromCode(kSmallCode);
    test::Walk(g, {kRight});
    g.ShowSolution();
    EXPECT_FALSE(g.CanWalk());
    g.HideSolution();
    EXPECT_TRUE(g.CanWalk());
    EXPECT_EQ(g.Step(kRight).outcome, StepOutcome::Moved);
    EXPECT_EQ(g.Moves().size(), 2u);   // the walk before the peek is still there
}

// The kept game's text: written from a game and read back, and the ways a file goes wrong.
TEST(KeptGame, GoodAndBrokenFiles) {
    Game g = test::GameFromCode(kSmallCode);
    test::Walk(g, {kRight, kRight, kDown});
    const auto kept = GameToKeep(g, 12.5);
    ASSERT_TRUE(kept);
    const std::string good = WriteKeptGame(*kept);
    EXPECT_EQ(good, "Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 12.5\nheading 1\nhelp 0\nmoves 221\nend\n");

    struct Case {
        const char* name;
        std::string text;
        bool reads;
    };
    const Case cases[] = {
        {"as written", good, true},
        {"cut before the end line", good.substr(0, good.size() - 4), false},
        {"cut in the moves", good.substr(0, good.find("moves") + 8), false},
        {"cut in the header", good.substr(0, 10), false},
        {"empty", "", false},
        {"another version", "Quivra kept game 3" + good.substr(18), false},
        {"the version before, without heading and help",
         "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 12.5\nmoves 221\nend\n", true},
        {"a mistyped code", "Quivra kept game 1\ncode S3x2-33913796-Y\ntilt 45\nseconds 1\nmoves 2\nend\n", false},
        {"a code too large", "Quivra kept game 1\ncode S9999x9999-12345678-0\ntilt 45\nseconds 1\nmoves 2\nend\n", false},
        {"through a wall", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nmoves 0\nend\n", false},
        {"out and on", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nmoves 22113\nend\n", false},
        {"walked out", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nmoves 2211\nend\n", false},
        {"a honeycomb's direction", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nmoves 25\nend\n", false},
        {"no moves", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nmoves \nend\n", false},
        {"a tilt off the bar", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 61\nseconds 1\nmoves 2\nend\n", false},
        {"a time that is none", "Quivra kept game 1\ncode S3x2-33913796-X\ntilt 45\nseconds -1\nmoves 2\nend\n", false},
        {"more after the end", good + "x\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeptGameResult r = ReadKeptGame(c.text);
        EXPECT_EQ(r.game.has_value(), c.reads) << r.error;
        EXPECT_EQ(r.error.empty(), c.reads);
        if (r.game) {
            EXPECT_EQ(*r.game, *kept);
        }
    }
}

TEST(KeptGame, OnlyAWalkBegunAndNotFinishedIsKept) {
    Game g = test::GameFromCode(kSmallCode);
    EXPECT_FALSE(GameToKeep(g, 0));
    test::Walk(g, {kRight, kRight, kDown, kDown});
    EXPECT_FALSE(GameToKeep(g, 0));
    g.Clear();
    test::Walk(g, {kRight});
    g.WindowResized(5);   // waiting to be taken again: still the walk
    ASSERT_TRUE(GameToKeep(g, 0));
    EXPECT_EQ(GameToKeep(g, 0)->moves, std::vector<uint8_t>{kRight});
}

TEST(KeptGame, AResumedGameWalksItsMovesOnceDrawn) {
    Game g;
    const KeptGame kept = *ReadKeptGame("Quivra kept game 1\ncode S3x2-33913796-X\ntilt 40\nseconds 3\nmoves 221\nend\n").game;
    g.ResumeCode(kept.maze, kept.moves);
    g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    ASSERT_TRUE(g.HasWalkToReplay());
    g.ReplayWalk([](const StepResult&) {});
    EXPECT_EQ(g.walk().playerX, 5);
    EXPECT_EQ(g.walk().playerY, 3);
    EXPECT_EQ(g.Step(kDown).outcome, StepOutcome::Exited);
}

TEST(PlayTime, CountsFromTheFirstStepAndPausesWhileMinimised) {
    PlayClock clock;
    EXPECT_FALSE(clock.Started());
    clock.Run(100);       // the first step
    clock.Pause(130);     // minimised
    EXPECT_DOUBLE_EQ(clock.Seconds(500), 30);
    clock.Run(500);       // restored
    clock.Run(510);       // a later step changes nothing
    EXPECT_DOUBLE_EQ(clock.Seconds(520), 50);
    clock.Reset(12.5);    // a resumed game
    EXPECT_TRUE(clock.Started());
    EXPECT_DOUBLE_EQ(clock.Seconds(900), 12.5);
    const std::pair<double, const char*> texts[] = {{0, "0:00"}, {59.9, "0:59"}, {61, "1:01"}, {3600, "1:00:00"},
                                                    {3725, "1:02:05"}};
    for (const auto& [seconds, text] : texts) EXPECT_EQ(ClockText(seconds), text);
}

TEST(Records, BestTimeFewestStepsAndPerfectWalksPerStyleAndSize) {
    Records r;
    const std::string key = Records::Key(MazeStyle::Square, SizeChoice::Named(0), 15, 10);
    EXPECT_EQ(key, "square small");
    EXPECT_EQ(Records::Key(MazeStyle::Honeycomb, SizeChoice::Fit(), 31, 21), "hex 31x21");
    struct Win {
        int steps, shortest;
        double seconds;
        bool perfect, fastest, fewest;
    };
    const Win wins[] = {
        {30, 20, 60, false, true, true},    // the first is both records
        {25, 20, 70, false, false, true},   // fewer steps, slower
        {20, 20, 50, true, true, true},     // the correct path's steps: perfect
        {40, 22, 55, false, false, false},
    };
    for (const Win& w : wins) {
        const WinReport report = r.Add(key, w.steps, w.shortest, w.seconds);
        EXPECT_EQ(report.perfect, w.perfect) << w.steps;
        EXPECT_EQ(report.fastest, w.fastest) << w.steps;
        EXPECT_EQ(report.fewest, w.fewest) << w.steps;
    }
    const RecordEntry e = r.Entries().at(key);
    EXPECT_EQ(e, (RecordEntry{4, 50, 20, 1}));
    EXPECT_EQ(Records::ReadEntry(Records::WriteEntry(e)), e);
    for (const char* bad : {"", "4 50.0 20", "4 50.0 20 1 9", "0 50 20 0", "4 -1 20 1", "4 50 20 5", "a b c d"}) {
        EXPECT_FALSE(Records::ReadEntry(bad)) << bad;
    }
}

}  // namespace
}  // namespace quivra
