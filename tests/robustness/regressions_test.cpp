// SPDX-License-Identifier: GPL-3.0-or-later
// Faults the random event driver found, each replayed by hand.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "game/key_codes.h"
#include "tests/support/correct_path.h"
#include "tests/support/game_builder.h"
#include "tests/support/headless_game.h"
#include "tools/tool_cli.h"

namespace quivra {
namespace {

using test::SquareGame;

TEST(Regressions, NoWalkingOnTheOldStylesGridAfterASwitchThatBuiltNothing) {
    for (bool minimise : {false, true}) {
        SCOPED_TRACE(minimise ? "minimised" : "too small");
        SquareGame g;
        const ByteGrid squareWalk = g.s().walk().walkGrid;
        if (minimise) {
            g.host.Minimize();
        } else {
            g.host.Resize(400, 40);
            ASSERT_EQ(g.host.Text1Text(), kTooSmall);
        }
        g.form.mnuStyleItem_Click(kHoneycomb);
        ASSERT_EQ(g.s().build.buildStage, kStageFinished);
        const int beeps = g.host.beeps;
        for (int key : {vk::kLeft, vk::kDown, vk::kRight, vk::kUp, vk::kHome, vk::kPageDown, vk::kDown, vk::kDown}) {
            EXPECT_FALSE(g.host.PressKey(key)) << key;
        }
        EXPECT_EQ(g.host.beeps, beeps);
        EXPECT_EQ(g.s().walk().walkGrid, squareWalk);
        EXPECT_EQ(g.s().walk().playerX, 1);
        EXPECT_EQ(g.s().walk().playerY, 1);

        // The next build is a honeycomb, walked with its own keys.
        if (minimise) {
            g.host.Restore();
        } else {
            g.host.Resize(400, 298);
        }
        g.host.RunTimer();
        EXPECT_EQ(g.host.Text1Text(), kHexHint);
        EXPECT_EQ(g.s().walk().playerX, 3);
        EXPECT_EQ(g.s().walk().playerY, 2);
    }
}


TEST(Regressions, StyleChangeWhileMinimisedAfterTheExitGivesAFreshMaze) {
    SquareGame g;
    for (int key : test::CorrectPathKeys(g.s(), false)) g.host.PressKey(key);
    ASSERT_TRUE(g.s().walk().exitReached);
    g.host.Minimize();
    g.form.mnuStyleItem_Click(kHoneycomb);
    g.host.Restore();
    g.host.RunTimer();
    EXPECT_FALSE(g.s().walk().exitReached);
    EXPECT_EQ(g.host.Text1Text(), kHexHint);
    EXPECT_EQ(g.s().walk().playerY, 2);
    EXPECT_TRUE(g.host.PressKey(vk::kDown));   // walking is possible in the new maze
}

TEST(Regressions, ClearAfterAStyleChangeThatBuiltNothingLeavesTheOldGridAlone) {
    SquareGame g;
    g.form.mnuStyleItem_Click(kHoneycomb);
    g.host.RunTimer();
    g.host.Minimize();
    g.form.mnuStyleItem_Click(kSquare);
    ASSERT_TRUE(g.host.MenuEnabled(Menu::Action, kClear));
    g.form.mnuActionItem_Click(kClear);
    // No trail mark on a wall: the square start (1, 1) is an outline of the honeycomb raster.
    const GameState& s = g.s();
    for (size_t i = 0; i < s.walk().walkGrid.Size(); ++i) {
        ASSERT_EQ(s.walk().walkGrid.Data()[i] == 0, s.maze().mazeGrid.Data()[i] == 0) << i;
    }
    g.host.Restore();
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
    EXPECT_EQ(s.walk().walkGrid(1, 1), 1);
    EXPECT_EQ(s.maze().mazeGrid.MaxX(), 2 * s.maze().cellsX);
}

TEST(Regressions, ARunStoppedDuringItsLastStepDoesNotFinish) {
    for (int style : {kSquare, kHoneycomb}) {
        for (bool minimise : {false, true}) {
            SCOPED_TRACE(std::string(style == kHoneycomb ? "honeycomb, " : "square, ") +
                         (minimise ? "minimised" : "too small"));
            SquareGame g;
            g.form.mnuStyleItem_Click(style);
            g.form.mnuActionItem_Click(kNewGame);
            // Stop the run from inside the step that draws the last row.
            g.host.onDoEvents = [&](int) {
                if (g.s().build.buildStage != kStageFinished || !g.s().build.drawInProgress) return;
                if (minimise) {
                    g.host.Minimize();
                } else {
                    g.host.Resize(400, 40);
                }
            };
            g.host.RunTimer();
            g.host.onDoEvents = nullptr;
            EXPECT_FALSE(g.s().build.drawInProgress);
            EXPECT_FALSE(g.host.MenuEnabled(Menu::Action, kClear));
            if (!minimise) {
                EXPECT_EQ(g.host.Text1Text(), kTooSmall);
            }
            // The picture was cleared and stays so: no trail drawn over it.
            EXPECT_EQ(g.host.Image().pixel(g.host.ClientWidth() / 2, 10), qRgb(255, 255, 255));
        }
    }
}

// The unticked style item once led here: a maze walked with the other style's steps. Whatever the
// style says, a step never leaves the grid (but through the exit) nor lands on a wall.
TEST(Regressions, WalkingWithTheOtherStylesStepsStaysOnTheGrid) {
    for (int built : {kSquare, kHoneycomb}) {
        SCOPED_TRACE(built == kSquare ? "square maze" : "honeycomb maze");
        SquareGame g;
        if (built == kHoneycomb) {
            g.form.mnuStyleItem_Click(kHoneycomb);
            g.host.RunTimer();
        }
        // The game told it is the other style, over the grid of this one.
        MazeShape shape = MazeShape::Of(g.s().style(), g.s().maze().cellsX, g.s().maze().cellsY);
        shape.style = built == kSquare ? MazeStyle::Honeycomb : MazeStyle::Square;
        Game m;
        m.UseMaze(shape, g.s().maze().mazeGrid);
        std::mt19937 rng(7);
        const int keys[] = {vk::kPageUp, vk::kPageDown, vk::kEnd,  vk::kHome, vk::kLeft, vk::kUp,
                            vk::kRight,  vk::kDown,     vk::kPad1, vk::kPad2, vk::kPad3, vk::kPad4,
                            vk::kPad6,   vk::kPad7,     vk::kPad8, vk::kPad9};
        for (int i = 0; i < 3000 && !m.walk().exitReached; ++i) {
            const std::pair from(m.walk().playerX, m.walk().playerY);
            m.PressKey(keys[rng() % std::size(keys)]);
            if (std::pair(m.walk().playerX, m.walk().playerY) == from) continue;
            ASSERT_GE(m.walk().playerX, 0);
            ASSERT_LE(m.walk().playerX, m.maze().gridMaxX);
            if (m.walk().exitReached) break;
            ASSERT_TRUE(m.walk().walkGrid.Contains(m.walk().playerY, m.walk().playerX)) << m.walk().playerY;
            // Open, or the start (which the other style's start may put on a wall).
            ASSERT_NE(m.walk().walkGrid(m.walk().playerY, m.walk().playerX), 0);
        }
    }
    // The honeycomb's start on the bottom-right position of a square raster: Down, PgUp and PgDn
    // reach past the bottom or the right border, refused before the grid is read there.
    Game m;
    m.UseMaze(MazeShape{MazeStyle::Honeycomb, 2, 1, 4, 3, 2}, test::GridFromRows({"00000", "02220", "02220", "00000"}));
    ASSERT_EQ(std::pair(m.walk().playerX, m.walk().playerY), std::pair(3, 2));
    for (int key : {vk::kDown, vk::kPageUp, vk::kPageDown}) {
        m.PressKey(key);
        EXPECT_EQ(std::pair(m.walk().playerX, m.walk().playerY), std::pair(3, 2));
    }
}

// Found by the argument fuzzer: an argument with a line break split the one-line error.
TEST(Regressions, ToolErrorsStayOnOneLineWhateverTheArguments) {
    const std::vector<std::vector<std::string>> lines = {
        {"carve", "--style", "squ\nare", "--cells", "3", "3", "--digits", "1,2,3,4,5,6,7,8"},
        {"generate", "-\n--budget"},
        {"carve\r\n"},
        {"carve", "--cells", "3", "\x7f\n3", "--style", "square", "--digits", "1"},
        {"render", "--style", "he\nx", "--out", "unused.png"},
        {"render", "--style", "hex", "--size", "1\n2", "--out", "unused.png"},
    };
    for (const auto& args : lines) {
        std::ostringstream out, err;
        EXPECT_EQ(tool::RunTool(args, out, err), 2);
        const std::string e = err.str();
        EXPECT_EQ(e.find('\n'), e.size() - 1) << e;
        EXPECT_EQ(e.find('\r'), std::string::npos) << e;
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace quivra
