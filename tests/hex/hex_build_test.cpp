// SPDX-License-Identifier: GPL-3.0-or-later
// The honeycomb build through the headless host: sizing, the stage machine, the finished scene.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "hex_test_util.h"
#include "tests/support/correct_path.h"
#include "render/hex_scene.h"

namespace quivra {
namespace {

using test::Grey;
using test::HexGame;

const double r = std::sqrt(3.0);

TEST(HexBuild, SizesTheGridFromTheDrawingArea) {
    EXPECT_EQ(SizeHexGrid(2880, 2000, r).cellsX, 3);   // 4 by the formula
    EXPECT_EQ(SizeHexGrid(1000, 2000, r).cellsX, 3);
    EXPECT_EQ(SizeHexGrid(3960, 2000, r).cellsX, 5);   // 6, and even counts drop by one
    EXPECT_EQ(SizeHexGrid(4320, 2000, r).gridMaxX, 30);
    EXPECT_EQ(SizeHexGrid(2880, 1200, r).cellsY, 2);   // shallow
    EXPECT_EQ(SizeHexGrid(2880, 5715, r).cellsY, 5);
    // No drawing width: the smallest grid rather than a division by zero.
    for (double width : {0.0, -240.0}) {
        const MazeShape g = SizeHexGrid(width, 3000, r);
        EXPECT_TRUE(g.cellsX == 3 && g.cellsY == 2 && g.gridMaxX == 14 && g.gridMaxY == 8 && g.cellCount == 5);
    }
    // A 16000 x 9000 window is far past 16-bit sizes.
    const MazeShape big = SizeHexGrid(15983 * 15.0, 8981 * 15.0, r);
    EXPECT_EQ(big.cellsX, 443);
    EXPECT_EQ(big.cellsY, 215);
    EXPECT_EQ(big.gridMaxX, 1774);
    EXPECT_EQ(big.cellCount, 443 * 215 - 221);

    // Through the window: 2880 twips across and 81 pixels deep; a window narrower than the scroll bar.
    for (auto [width, height] : {std::pair{209, 100}, {10, 200}}) {
        HexGame game(width, height);
        game.host.TickTimer();
        EXPECT_TRUE(game.s().maze().cellsX == 3 && game.s().maze().cellsY == 2 && game.s().maze().mazeGrid.MaxX() == 14)
            << width;
        EXPECT_EQ(game.host.RunTimer(), 1 + 3 + 3 + 10);
    }
}

TEST(HexBuild, OneStepPerTickAndTheFinishedRun) {
    HexGame game(305, 139);   // 4320 twips across: 7 columns, 2 rows
    GameState& s = game.s();
    EXPECT_EQ(game.TicksInStage(0), 1);
    ASSERT_TRUE(s.maze().cellsX == 7 && s.maze().cellsY == 2);
    EXPECT_TRUE(s.walk().playerX == 3 && s.walk().playerY == 2 && s.walk().walkGrid(2, 3) == 1 &&
                s.walk().playerSceneY == r / 2);
    EXPECT_EQ(game.TicksInStage(1), 1);
    EXPECT_NEAR(s.draw.jointTemplate[1][1].X, 0.644338, 1e-6);
    EXPECT_NEAR(s.draw.wallTemplate[5][1].X, 1.927831, 1e-6);
    EXPECT_NEAR(s.draw.wallTemplate[0][2].Y, 1.857051, 1e-6);
    EXPECT_NEAR(s.draw.wallTemplate[4][2].X, 3.0, 1e-12);
    EXPECT_EQ(game.TicksInStage(2), 2 + 1);           // cellsY rows, then the switch
    EXPECT_EQ(game.TicksInStage(3), 7 / 2 + 1 + 1);   // column pairs, then the switch
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_FALSE(game.host.MenuEnabled(Menu::Action, kClear));
    EXPECT_EQ(game.TicksInStage(4), 8 + 1 + 1);       // grid rows, then the finish
    EXPECT_TRUE(s.build.buildStage == 5 && !s.build.drawInProgress && !game.host.Timer1Enabled());
    EXPECT_EQ(game.host.Text1Text(), kHexHint);
    EXPECT_TRUE(game.host.MenuEnabled(Menu::Action, kShowSolution) && game.host.MenuEnabled(Menu::Action, kClear));
    EXPECT_TRUE(game.Near(1.0, r / 4, 2, qRgb(0, 255, 0)));   // the entrance stub of the trail

    // Other stages only let events run.
    const QImage before = game.host.Image();
    for (uint8_t stage : {5, 6, 7}) {
        s.build.buildStage = stage;
        const int events = game.host.doEventsCalls;
        game.form.Timer1_Timer();
        EXPECT_TRUE(s.build.buildStage == stage && game.host.doEventsCalls == events + 1 && !game.host.Timer1Enabled());
    }
    EXPECT_TRUE(game.host.Image() == before);
}

TEST(HexBuild, EventsBetweenStepsAndTheStatusLine) {
    HexGame game(305, 200);
    GameState& s = game.s();
    game.TicksInStage(0);
    const ByteGrid maze = s.maze().mazeGrid;
    ASSERT_TRUE(s.Replay(test::CorrectPathMoves(s)) && s.walk().exitReached);
    // A repaint during the floor restarts at stage 0 with the same maze.
    while (s.build.buildStage < 2) game.host.TickTimer();
    game.host.Post([&] { game.host.Refresh(); });
    game.host.TickTimer();
    EXPECT_TRUE(s.build.buildStage == 0 && game.host.Timer1Enabled());
    game.host.RunTimer();
    EXPECT_TRUE(s.maze().mazeGrid == maze);
    EXPECT_EQ(game.host.Text1Text(), kCongratulation);

    // With the correct path shown the line stays empty, and the path is red from the entrance.
    s.ShowSolution();
    game.host.Refresh();
    game.host.RunTimer();
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_TRUE(game.Near(1.0, r / 4, 2, qRgb(255, 0, 0)));

    // Closing during the step that reaches stage 5: no re-arm and no finish.
    game.host.Refresh();
    game.host.onDoEvents = [&](int) {
        if (s.build.buildStage == 5) game.host.Post([&] { game.host.Close(); });
    };
    game.host.RunTimer();
    EXPECT_TRUE(s.build.buildStage == 6 && !game.host.Timer1Enabled() && s.build.drawInProgress);
    EXPECT_FALSE(game.host.MenuEnabled(Menu::Action, kClear));
}

TEST(HexBuild, StyleChangedWhileMinimisedGetsAHoneycombGrid) {
    HexGame game(305, 200);
    game.form.mnuStyleItem_Click(kSquare);
    game.host.RunTimer();
    game.host.Minimize();
    game.form.mnuStyleItem_Click(kHoneycomb);
    game.host.Restore();   // keeps "the maze", but the grids are the square style's
    game.host.RunTimer();
    const GameState& s = game.s();
    EXPECT_EQ(s.maze().gridMaxX, (s.maze().cellsX / 2) * 8 + 6);
    EXPECT_EQ(s.maze().mazeGrid.MaxY(), 4 * s.maze().cellsY);
    EXPECT_EQ(game.host.Text1Text(), kHexHint);
}

TEST(HexScene, FloorHasNoGapsAndWallTopsAreLight) {
    for (int scroll : {30, 45, 60}) {
        HexGame game(400, 298);
        game.host.ScrollTo(scroll);
        GameState& s = game.s();
        while (s.build.buildStage < 4) game.host.TickTimer();
        // Before the walls: floor inside every cell, up to the walls' inner edges...
        for (int y = 2; y < s.maze().gridMaxY; y += 2) {
            for (int x = (y / 2) % 2 == 1 ? 3 : 7; x < s.maze().gridMaxX; x += 8) {
                for (int k = 0; k < 6; ++k) {
                    for (double f : {0.0, 0.35, 0.7}) {
                        const double a = k * std::numbers::pi / 3;
                        ASSERT_TRUE(game.Near((3.0 * x - 1) / 8 + f * std::cos(a), y * r / 4 + f * std::sin(a), 0,
                                              Grey(6), 0))
                            << scroll << " cell " << y << "," << x;
                    }
                }
            }
        }
        // ... and along every open wall between two cells.
        int passages = 0;
        for (int y = 1; y < s.maze().gridMaxY; ++y) {
            for (int x = 1; x < s.maze().gridMaxX; ++x) {
                const bool slanted = y % 2 == 1 && x % 4 == 1;
                const bool level = (y % 4 == 0 && x % 8 == 3) || (y % 4 == 2 && x % 8 == 7);
                if ((!slanted && !level) || s.maze().mazeGrid(y, x) == 0) continue;
                ++passages;
                const double dy = !slanted ? 0.0 : ((y % 4 == 1) == (x % 8 == 1) ? -r / 2 : r / 2);
                for (double t : {-0.3, 0.0, 0.3}) {
                    ASSERT_TRUE(game.Near((3.0 * x - 1) / 8 + t * (slanted ? 0.5 : 1), y * r / 4 + t * dy, 0, Grey(6), 0))
                        << scroll << " passage " << y << "," << x;
                }
            }
        }
        EXPECT_EQ(passages, s.maze().cellCount - 1);
        // The first row's top walls are closed but for the entrance, and their tops are grey 12.
        game.host.RunTimer();
        for (int pair = 1; 8 * pair + 3 < s.maze().gridMaxX; ++pair) {
            EXPECT_TRUE(game.Near(3 * pair + (0.25 / r + 2) / 2, 0.125, 2, Grey(12))) << pair;
        }
    }
}

}  // namespace
}  // namespace quivra
