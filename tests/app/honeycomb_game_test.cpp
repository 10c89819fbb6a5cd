// SPDX-License-Identifier: GPL-3.0-or-later
// Style switching, About, and walking the honeycomb through the headless host.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/about.h"
#include "app/frm_main.h"
#include "app/headless_form.h"
#include "game/key_codes.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using test::CorrectPathKeys;
using test::HeadlessGame;
using test::HoneycombGame;
using test::kHoneycombKeys;
using test::SquareGame;

TEST(StyleMenu, SwitchingBuildsANewMazeOfTheOtherStyle) {
    SquareGame g;
    const GameState& s = g.s();
    const int squareColumns = s.maze().cellsX;

    // Clicking the style in force changes nothing and starts no run.
    g.form.mnuStyleItem_Click(kSquare);
    EXPECT_FALSE(g.host.Timer1Enabled());
    EXPECT_EQ(s.build.buildStage, kStageFinished);

    g.form.mnuActionItem_Click(kShowSolution);
    g.form.mnuStyleItem_Click(kHoneycomb);
    EXPECT_TRUE(g.host.MenuChecked(Menu::Style, kHoneycomb));
    EXPECT_FALSE(g.host.MenuChecked(Menu::Style, kSquare));
    EXPECT_FALSE(s.walk().showingSolution);
    EXPECT_TRUE(s.maze().needNewMaze);
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kHexHint);
    EXPECT_EQ(s.maze().cellsX % 2, 1);
    EXPECT_EQ(s.maze().gridMaxX, 4 * s.maze().cellsX + 2);
    EXPECT_EQ(s.walk().playerX, 3);
    EXPECT_EQ(s.walk().playerY, 2);
    EXPECT_DOUBLE_EQ(s.walk().playerSceneY, std::sqrt(3.0) / 2);

    g.form.mnuStyleItem_Click(kSquare);
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
    EXPECT_EQ(s.maze().cellsX, squareColumns);
    EXPECT_EQ(g.host.hDC().LiveObjects(), 0);
}

TEST(StyleMenu, SwitchInTheMiddleOfABuildStartsTheNewStyleCleanly) {
    HeadlessGame g;
    g.host.Show();
    g.host.TickTimer();
    g.host.TickTimer();
    g.host.TickTimer();
    g.host.Post([&] { g.form.mnuStyleItem_Click(kHoneycomb); });
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kHexHint);
    EXPECT_EQ(g.s().maze().gridMaxY, 4 * g.s().maze().cellsY);
    // A switch while the window is too small still leaves the other style's maze behind for later.
    g.host.Resize(400, 40);
    g.form.mnuStyleItem_Click(kSquare);
    EXPECT_EQ(g.host.Text1Text(), kTooSmall);
    g.host.Resize(400, 298);
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
    EXPECT_EQ(g.s().maze().gridMaxX, 2 * g.s().maze().cellsX);
}

TEST(HelpMenu, AboutShowsTheMessageThenOpensTheHomePage) {
    HeadlessGame g;
    g.host.Show();
    g.form.mnuHelpItem_Click(0);
    ASSERT_EQ(g.host.messages.size(), 1u);
    EXPECT_EQ(g.host.messages[0].second, "关于");
    EXPECT_EQ(g.host.messages[0].first,
              "Quivra V" + std::string(kVersion) + " 3D版     邮箱：" + kMakerEmail + "   Brintel软件：" + kHomePage);
    ASSERT_EQ(g.host.urls.size(), 1u);
    EXPECT_EQ(g.host.urls[0], kHomePage);
}

TEST(HexWalking, KeysMoveByTheHoneycombSteps) {
    HoneycombGame g;
    GameState& s = g.s();
    const double r3 = std::sqrt(3.0);
    // Left and Right are not honeycomb keys: they beep and are consumed.
    for (int key : {vk::kLeft, vk::kRight, vk::kPad4, vk::kPad6}) EXPECT_TRUE(g.host.PressKey(key));
    EXPECT_EQ(g.host.beeps, 4);
    // Up from the start is the entrance: blocked.
    EXPECT_TRUE(g.host.PressKey(vk::kUp));
    EXPECT_EQ(g.host.beeps, 5);

    // Try every direction from the start; check each move's grid and scene change, then step back.
    int moves = 0;
    for (int d = 0; d < 6; ++d) {
        const int beeps = g.host.beeps;
        const double x0 = s.walk().playerSceneX, y0 = s.walk().playerSceneY;
        const int gx = s.walk().playerX, gy = s.walk().playerY;
        ASSERT_TRUE(g.host.PressKey(d == 0 ? vk::kPad7 : kHoneycombKeys[d]));
        if (g.host.beeps != beeps) {
            EXPECT_EQ(s.walk().playerX, gx);
            continue;
        }
        ++moves;
        const int dx = s.walk().playerX - gx, dy = s.walk().playerY - gy;
        EXPECT_EQ(dx, 2 * s.tables().hexStepX[d][0]);
        EXPECT_EQ(dy, 2 * s.tables().hexStepY[d][0]);
        if (dx == 0) {
            EXPECT_NEAR(s.walk().playerSceneY - y0, dy > 0 ? r3 : -r3, 1e-12);
            EXPECT_DOUBLE_EQ(s.walk().playerSceneX, x0);
        } else {
            EXPECT_DOUBLE_EQ(s.walk().playerSceneX - x0, dx > 0 ? 1.5 : -1.5);
            EXPECT_NEAR(s.walk().playerSceneY - y0, dy > 0 ? r3 / 2 : -r3 / 2, 1e-12);
        }
        EXPECT_EQ(s.walk().walkGrid(s.walk().playerY, s.walk().playerX), 1);
        EXPECT_EQ(s.walk().lineColorIndex, 14);
        // Back the opposite way: yellow, the cell left marked 3, the scene position restored.
        const int tx = s.walk().playerX, ty = s.walk().playerY;
        ASSERT_TRUE(g.host.PressKey(kHoneycombKeys[5 - d]));
        EXPECT_EQ(s.walk().lineColorIndex, 13);
        EXPECT_EQ(s.walk().walkGrid(ty, tx), 3);
        EXPECT_EQ(s.walk().playerX, gx);
        EXPECT_NEAR(s.walk().playerSceneX, x0, 1e-12);
        EXPECT_NEAR(s.walk().playerSceneY, y0, 1e-12);
    }
    EXPECT_GE(moves, 1);
}

TEST(HexWalking, WalkingTheCorrectPathReachesTheExit) {
    HoneycombGame g;
    GameState& s = g.s();
    const std::vector<int> keys = CorrectPathKeys(s, true);
    ASSERT_FALSE(keys.empty());
    for (int key : keys) ASSERT_TRUE(g.host.PressKey(key));
    EXPECT_EQ(g.host.beeps, 0);
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);
    EXPECT_FALSE(g.host.PressKey(vk::kDown));
    g.host.Refresh();
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);
    g.form.mnuActionItem_Click(kClear);
    EXPECT_EQ(s.walk().playerX, 3);
    EXPECT_EQ(s.walk().playerY, 2);
    EXPECT_EQ(s.walk().walkGrid(2, 3), 1);
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kHexHint);
    EXPECT_TRUE(g.host.PressKey(keys.front()));
    EXPECT_EQ(g.host.hDC().LiveObjects(), 0);
}

}  // namespace
}  // namespace quivra
