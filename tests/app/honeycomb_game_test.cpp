// Style switching, About, and walking the honeycomb through the headless host.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/about.h"
#include "app/frm_main.h"
#include "app/headless_form.h"
#include "app/key_codes.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using test::CorrectPathKeys;
using test::HoneycombGame;
using test::kHoneycombKeys;

TEST(StyleMenu, SwitchingBuildsANewMazeOfTheOtherStyle) {
    HeadlessForm host;
    FrmMain form(host);
    host.Show();
    host.RunTimer();
    const GameState& s = form.State();
    const int squareColumns = s.maze.cellsX;

    // Clicking the style in force changes nothing and starts no run.
    form.mnuStyleItem_Click(kSquare);
    EXPECT_FALSE(host.Timer1Enabled());
    EXPECT_EQ(s.build.buildStage, kStageFinished);

    form.mnuActionItem_Click(kShowSolution);
    form.mnuStyleItem_Click(kHoneycomb);
    EXPECT_TRUE(host.MenuChecked(Menu::Style, kHoneycomb));
    EXPECT_FALSE(host.MenuChecked(Menu::Style, kSquare));
    EXPECT_FALSE(s.walk.showingSolution);
    EXPECT_TRUE(s.build.needNewMaze);
    host.RunTimer();
    EXPECT_EQ(host.Text1Text(), kHexHint);
    EXPECT_EQ(s.maze.cellsX % 2, 1);
    EXPECT_EQ(s.maze.gridMaxX, 4 * s.maze.cellsX + 2);
    EXPECT_EQ(s.walk.playerX, 3);
    EXPECT_EQ(s.walk.playerY, 2);
    EXPECT_DOUBLE_EQ(s.walk.playerSceneY, std::sqrt(3.0) / 2);

    form.mnuStyleItem_Click(kSquare);
    host.RunTimer();
    EXPECT_EQ(host.Text1Text(), kSquareHint);
    EXPECT_EQ(s.maze.cellsX, squareColumns);
    EXPECT_EQ(host.hDC().LiveObjects(), 0);
}

TEST(StyleMenu, SwitchInTheMiddleOfABuildStartsTheNewStyleCleanly) {
    HeadlessForm host;
    FrmMain form(host);
    host.Show();
    host.TickTimer();
    host.TickTimer();
    host.TickTimer();
    host.Post([&] { form.mnuStyleItem_Click(kHoneycomb); });
    host.RunTimer();
    EXPECT_EQ(host.Text1Text(), kHexHint);
    EXPECT_EQ(form.State().maze.gridMaxY, 4 * form.State().maze.cellsY);
    // A switch while the window is too small still leaves the other style's maze behind for later.
    host.Resize(400, 40);
    form.mnuStyleItem_Click(kSquare);
    EXPECT_EQ(host.Text1Text(), kTooSmall);
    host.Resize(400, 298);
    host.RunTimer();
    EXPECT_EQ(host.Text1Text(), kSquareHint);
    EXPECT_EQ(form.State().maze.gridMaxX, 2 * form.State().maze.cellsX);
}

TEST(HelpMenu, AboutShowsTheMessageThenOpensTheHomePage) {
    HeadlessForm host;
    FrmMain form(host);
    host.Show();
    form.mnuHelpItem_Click(0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second, "关于");
    EXPECT_EQ(host.messages[0].first,
              "Quivra V3.05 3D版     邮箱：" + kMakerEmail + "   Brintel软件：" + kHomePage);
    ASSERT_EQ(host.urls.size(), 1u);
    EXPECT_EQ(host.urls[0], kHomePage);
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
        const double x0 = s.walk.playerSceneX, y0 = s.walk.playerSceneY;
        const int gx = s.walk.playerX, gy = s.walk.playerY;
        ASSERT_TRUE(g.host.PressKey(d == 0 ? vk::kPad7 : kHoneycombKeys[d]));
        if (g.host.beeps != beeps) {
            EXPECT_EQ(s.walk.playerX, gx);
            continue;
        }
        ++moves;
        const int dx = s.walk.playerX - gx, dy = s.walk.playerY - gy;
        EXPECT_EQ(dx, 2 * s.tables.hexStepX[d][0]);
        EXPECT_EQ(dy, 2 * s.tables.hexStepY[d][0]);
        if (dx == 0) {
            EXPECT_NEAR(s.walk.playerSceneY - y0, dy > 0 ? r3 : -r3, 1e-12);
            EXPECT_DOUBLE_EQ(s.walk.playerSceneX, x0);
        } else {
            EXPECT_DOUBLE_EQ(s.walk.playerSceneX - x0, dx > 0 ? 1.5 : -1.5);
            EXPECT_NEAR(s.walk.playerSceneY - y0, dy > 0 ? r3 / 2 : -r3 / 2, 1e-12);
        }
        EXPECT_EQ(s.walk.walkGrid(s.walk.playerY, s.walk.playerX), 1);
        EXPECT_EQ(s.walk.lineColorIndex, 14);
        // Back the opposite way: yellow, the cell left marked 3, the scene position restored.
        const int tx = s.walk.playerX, ty = s.walk.playerY;
        ASSERT_TRUE(g.host.PressKey(kHoneycombKeys[5 - d]));
        EXPECT_EQ(s.walk.lineColorIndex, 13);
        EXPECT_EQ(s.walk.walkGrid(ty, tx), 3);
        EXPECT_EQ(s.walk.playerX, gx);
        EXPECT_NEAR(s.walk.playerSceneX, x0, 1e-12);
        EXPECT_NEAR(s.walk.playerSceneY, y0, 1e-12);
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
    EXPECT_TRUE(s.walk.exitReached);
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);
    EXPECT_FALSE(g.host.PressKey(vk::kDown));
    g.host.Refresh();
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);
    g.form.mnuActionItem_Click(kClear);
    EXPECT_EQ(s.walk.playerX, 3);
    EXPECT_EQ(s.walk.playerY, 2);
    EXPECT_EQ(s.walk.walkGrid(2, 3), 1);
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kHexHint);
    EXPECT_TRUE(g.host.PressKey(keys.front()));
    EXPECT_EQ(g.host.hDC().LiveObjects(), 0);
}

}  // namespace
}  // namespace quivra
