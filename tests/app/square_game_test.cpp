// SPDX-License-Identifier: GPL-3.0-or-later
// The square game end to end through the headless host: build stages, walking, menu commands.
#include <gtest/gtest.h>

#include <vector>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "game/key_codes.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using test::CorrectPathKeys;
using test::HeadlessGame;
using test::SquareGame;

// Any open direction from the player's cell that is not the entrance.
int OpenKey(const GameState& s) {
    for (int d = 0; d < 4; ++d) {
        const int wx = s.walk().playerX + s.tables().stepX[d][0], wy = s.walk().playerY + s.tables().stepY[d][0];
        if (wy > 0 && wx > 0 && wx < s.maze().gridMaxX && s.walk().walkGrid(wy, wx) != 0) return test::kSquareKeys[d];
    }
    return 0;
}

int Opposite(int key) {
    switch (key) {
        case vk::kLeft: return vk::kRight;
        case vk::kRight: return vk::kLeft;
        case vk::kUp: return vk::kDown;
        default: return vk::kUp;
    }
}

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

TEST(SquareBuild, SmallestMazeTakesSixTicks) {
    // 77 x 80 pixels: a drawing area of 900 x 915 twips, the 2 x 2 grid.
    HeadlessGame g(77, 80);
    g.host.Show();
    const int ticks = g.host.RunTimer();
    EXPECT_EQ(g.s().maze().cellsX, 2);
    EXPECT_EQ(g.s().maze().cellsY, 2);
    EXPECT_EQ(ticks, 6);   // stage 0, floor, rows 0-1, 2-3, 4, finish
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
}

TEST(SquareBuild, SizesTheGridFromTheWindow) {
    // 2000 twips of drawing width gives 5 columns.
    SquareGame g(static_cast<int>((2000 + 255) / 15), 200);
    EXPECT_EQ(g.s().maze().cellsX, 5);
    SquareGame wide(800, 600);
    EXPECT_EQ(wide.s().maze().cellsX, 32);
    EXPECT_EQ(wide.s().maze().cellsY, 23);
    EXPECT_EQ(wide.s().maze().gridMaxX, 64);
    EXPECT_EQ(wide.s().maze().cellCount, 32 * 23);
    EXPECT_DOUBLE_EQ(wide.s().view.sceneWidth, 32.25);
    EXPECT_EQ(wide.host.hDC().LiveObjects(), 0);
}

TEST(SquareBuild, EventsInTheMiddleRestartTheDrawingNotTheMaze) {
    SquareGame g;
    const ByteGrid maze = g.s().maze().mazeGrid;
    const QImage finished = g.host.Image();
    // A repaint, a tilt change and Clear each restart the run at stage 0 without a new maze.
    for (int which = 0; which < 3; ++which) {
        g.host.Refresh();
        g.host.TickTimer();
        g.host.TickTimer();
        g.host.TickTimer();
        bool fired = false;
        g.host.onDoEvents = [&, which](int) {
            if (fired) return;
            fired = true;
            if (which == 0) g.host.Refresh();
            if (which == 1) g.host.ScrollTo(45);
            if (which == 2) g.host.Post([&] { g.form.mnuActionItem_Click(kClear); });
        };
        g.host.TickTimer();
        g.host.DoEvents();
        g.host.onDoEvents = nullptr;
        EXPECT_EQ(g.s().build.buildStage, 0) << which;
        EXPECT_FALSE(g.host.MenuEnabled(Menu::Action, kClear)) << which;
        g.host.RunTimer();
        EXPECT_EQ(g.s().maze().mazeGrid, maze) << which;
        EXPECT_EQ(g.host.Image(), finished) << which;
    }
    // A resize in the middle makes a new maze of the new size.
    g.host.Refresh();
    g.host.TickTimer();
    g.host.Post([&] { g.host.Resize(600, 400); });
    g.host.TickTimer();
    EXPECT_TRUE(g.s().maze().needNewMaze);
    g.host.RunTimer();
    EXPECT_EQ(g.s().maze().cellsX, 24);
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
}

TEST(SquareWalking, StepsMarkTheTrailAndBeepAtWalls) {
    SquareGame g;
    GameState& s = g.s();
    EXPECT_EQ(s.walk().walkGrid(1, 1), 1);
    // The entrance above the start cannot be walked through; keys of the other style beep.
    EXPECT_TRUE(g.host.PressKey(vk::kUp));
    EXPECT_TRUE(g.host.PressKey(vk::kHome));
    EXPECT_EQ(g.host.beeps, 2);
    EXPECT_EQ(s.walk().playerX, 1);
    // Keys outside both tables are left to the focused control.
    EXPECT_FALSE(g.host.PressKey(vk::kPad5));
    EXPECT_FALSE(g.host.PressKey(vk::kZ));

    const int key = OpenKey(s);
    ASSERT_NE(key, 0);
    EXPECT_TRUE(g.host.PressKey(key));
    const int x1 = s.walk().playerX, y1 = s.walk().playerY;
    EXPECT_EQ(s.walk().walkGrid(y1, x1), 1);
    EXPECT_EQ(s.walk().lineColorIndex, 14);
    EXPECT_DOUBLE_EQ(s.walk().playerSceneX, 0.625 + (x1 - 1) / 2);
    EXPECT_DOUBLE_EQ(s.walk().playerSceneY, 0.625 + (y1 - 1) / 2);
    // Back onto the trail: yellow, and the cell left is marked 3.
    EXPECT_TRUE(g.host.PressKey(Opposite(key)));
    EXPECT_EQ(s.walk().lineColorIndex, 13);
    EXPECT_EQ(s.walk().walkGrid(y1, x1), 3);
    EXPECT_EQ(s.walk().playerX, 1);
    // Forward again: green, marked 1 again; the slot crossed is never marked.
    EXPECT_TRUE(g.host.PressKey(key));
    EXPECT_EQ(s.walk().lineColorIndex, 14);
    EXPECT_EQ(s.walk().walkGrid(y1, x1), 1);
    EXPECT_EQ(s.walk().walkGrid((y1 + 1) / 2, (x1 + 1) / 2), 2);
    EXPECT_EQ(g.host.beeps, 2);
    EXPECT_EQ(g.host.hDC().LiveObjects(), 0);
}

TEST(SquareWalking, WalkingOutCongratulatesAndClearStartsAgain) {
    SquareGame g;
    GameState& s = g.s();
    const ByteGrid maze = s.maze().mazeGrid;
    for (int key : CorrectPathKeys(s, false)) ASSERT_TRUE(g.host.PressKey(key));
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);
    EXPECT_EQ(s.walk().playerY, s.maze().gridMaxY + 1);
    EXPECT_EQ(g.host.beeps, 0);
    // The exit line reaches the near edge in green.
    const POINT end =
        ProjectPoint(s.walk().playerSceneX, s.view.sceneDepth - 0.05, 2, s.View(), DrawAreaHeightPixels(g.host));
    EXPECT_EQ(g.host.Image().pixel(end.x, end.y), Rgb(0, 255, 0));
    // Walking is over: keys are not even consumed.
    EXPECT_FALSE(g.host.PressKey(vk::kUp));

    // A redraw keeps the trail and the congratulation.
    g.host.Refresh();
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), kCongratulation);

    g.form.mnuActionItem_Click(kClear);
    EXPECT_FALSE(s.walk().exitReached);
    EXPECT_EQ(s.walk().playerX, 1);
    EXPECT_EQ(s.walk().playerY, 1);
    EXPECT_DOUBLE_EQ(s.walk().playerSceneX, 0.625);
    for (int y = 0; y <= s.maze().gridMaxY; ++y) {
        for (int x = 0; x <= s.maze().gridMaxX; ++x) {
            const int expected = (x == 1 && y == 1) ? 1 : (maze(y, x) ? 2 : 0);
            ASSERT_EQ(s.walk().walkGrid(y, x), expected) << x << "," << y;
        }
    }
    g.host.RunTimer();
    EXPECT_EQ(s.maze().mazeGrid, maze);
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
    EXPECT_TRUE(g.host.PressKey(CorrectPathKeys(s, false).front()));
}

TEST(SquareWalking, KeysAreLeftAloneWhileWalkingIsNotAllowed) {
    HeadlessGame g;
    g.host.Show();
    g.host.TickTimer();
    g.host.TickTimer();
    EXPECT_FALSE(g.host.PressKey(vk::kRight));   // still building
    g.host.RunTimer();
    g.form.mnuActionItem_Click(kShowSolution);
    EXPECT_FALSE(g.host.PressKey(vk::kRight));
    EXPECT_EQ(g.host.beeps, 0);
}

TEST(SquareMenus, CorrectPathIsRedAndSurvivesARedraw) {
    SquareGame g;
    GameState& s = g.s();
    const ViewParams v = s.View();
    const int h = DrawAreaHeightPixels(g.host);
    // The floor is seen inside the exit opening, at the near edge where no wall stands in front.
    const POINT floor = ProjectPoint(s.maze().cellsX - 0.375, s.view.sceneDepth - 0.12, 0, v, h);
    EXPECT_EQ(g.host.Image().pixel(floor.x, floor.y), Rgb(118, 118, 118));
    const POINT post = ProjectPoint(0.125, 0.125, 2, v, h);
    EXPECT_EQ(g.host.Image().pixel(post.x, post.y), Rgb(236, 236, 236));
    // The green entrance stub of the trail.
    const POINT stub = ProjectPoint(0.625, 0.3, 2, v, h);
    EXPECT_EQ(g.host.Image().pixel(stub.x, stub.y), Rgb(0, 255, 0));

    // Walked out first: the correct path, once shown, still leaves the status line empty.
    for (int key : CorrectPathKeys(s, false)) g.host.PressKey(key);
    ASSERT_TRUE(s.walk().exitReached);
    g.form.mnuActionItem_Click(kShowSolution);
    EXPECT_TRUE(s.walk().showingSolution);
    EXPECT_EQ(g.host.Text1Text(), "");
    EXPECT_EQ(g.host.Image().pixel(stub.x, stub.y), Rgb(255, 0, 0));
    const POINT exitLine = ProjectPoint(s.maze().cellsX - 0.375, s.view.sceneDepth - 0.05, 2, v, h);
    EXPECT_EQ(g.host.Image().pixel(exitLine.x, exitLine.y), Rgb(255, 0, 0));

    g.host.Refresh();
    g.host.RunTimer();
    EXPECT_EQ(g.host.Text1Text(), "");
    EXPECT_EQ(g.host.Image().pixel(exitLine.x, exitLine.y), Rgb(255, 0, 0));
    EXPECT_EQ(g.host.hDC().LiveObjects(), 0);
}

TEST(SquareMenus, NewGameSeparatorAndExit) {
    SquareGame g;
    const ByteGrid first = g.s().maze().mazeGrid;
    g.form.mnuActionItem_Click(3);   // the separator does nothing
    EXPECT_EQ(g.s().build.buildStage, kStageFinished);
    g.form.mnuActionItem_Click(kShowSolution);
    g.host.SetClock(61000.5, 1.0);
    g.form.mnuActionItem_Click(kNewGame);
    EXPECT_FALSE(g.s().walk().showingSolution);
    EXPECT_FALSE(g.host.MenuEnabled(Menu::Action, kShowSolution));
    g.host.RunTimer();
    EXPECT_NE(g.s().maze().mazeGrid, first);
    EXPECT_TRUE(g.host.MenuEnabled(Menu::Action, kNewGame));
    EXPECT_TRUE(g.host.MenuEnabled(Menu::Action, kExit));

    g.host.Refresh();
    g.host.TickTimer();
    g.form.mnuActionItem_Click(kExit);
    EXPECT_TRUE(g.host.ended);
    EXPECT_EQ(g.s().build.buildStage, kStageClosing);
    EXPECT_FALSE(g.host.Timer1Enabled());
    EXPECT_FALSE(g.s().maze().mazeGrid.Exists());
    EXPECT_FALSE(g.s().walk().walkGrid.Exists());
}

TEST(SquareBuild, PaletteDisplayDrawsTheSamePicture) {
    SquareGame trueColour(500, 380, ScreenCaps{1, 32, -1});
    SquareGame palette(500, 380, ScreenCaps{1, 8, 20});
    ASSERT_TRUE(palette.s().palette.usePalette);
    ASSERT_FALSE(trueColour.s().palette.usePalette);
    for (SquareGame* g : {&trueColour, &palette}) {
        for (int key : CorrectPathKeys(g->s(), false)) g->host.PressKey(key);
        g->form.mnuActionItem_Click(kShowSolution);
    }
    EXPECT_EQ(trueColour.host.Image(), palette.host.Image());
    EXPECT_EQ(palette.host.hDC().LiveObjects(), 0);
}

}  // namespace
}  // namespace quivra

namespace quivra {
namespace {

// A maze played from its code stays that maze through resizes, in its own style, until the player
// asks for a new game or the other style.
TEST(CodeGame, ACodesMazeStaysUntilANewGameOrTheOtherStyle) {
    const NamedMaze hex = *ParseMazeCode("H21x13-93782719-0").maze;
    SquareGame g;
    g.form.PlayMazeCode(hex);
    g.host.RunTimer();
    EXPECT_TRUE(g.host.MenuChecked(Menu::Style, kHoneycomb));
    EXPECT_FALSE(g.host.MenuChecked(Menu::Style, kSquare));
    EXPECT_EQ(g.form.MazeCodeText(), "H21x13-93782719-0");
    const ByteGrid maze = g.s().maze().mazeGrid;

    ASSERT_TRUE(g.host.PressKey(CorrectPathKeys(g.s(), true).front()));
    const int walkedY = g.s().walk().playerY;
    ASSERT_NE(walkedY, 2);
    g.host.Resize(700, 500);
    g.host.RunTimer();
    EXPECT_EQ(g.s().maze().mazeGrid, maze);
    EXPECT_EQ(g.s().walk().playerY, walkedY);   // the walk taken again on the redrawn maze
    EXPECT_EQ(g.host.Text1Text(), kHexHint);

    g.form.mnuActionItem_Click(kNewGame);
    g.host.RunTimer();
    EXPECT_NE(g.form.MazeCodeText(), "H21x13-93782719-0");
    EXPECT_EQ(g.s().style(), MazeStyle::Honeycomb);

    g.form.PlayMazeCode(hex);
    g.host.RunTimer();
    g.form.mnuStyleItem_Click(kSquare);
    g.host.RunTimer();
    EXPECT_EQ(g.form.MazeCodeText().substr(0, 1), "S");
    g.form.mnuStyleItem_Click(kHoneycomb);
    g.host.RunTimer();
    EXPECT_NE(g.form.MazeCodeText(), "H21x13-93782719-0");
}

}  // namespace
}  // namespace quivra

namespace quivra {
namespace {

// The time played on the headless window's clock, held still between events: it starts at the
// first step, stops while the window is minimised and once walked out, and a new walk starts it again.
TEST(PlayTime, FromTheFirstStepPausedWhileMinimisedAndOnceOut) {
    test::SquareGame g;
    EXPECT_FALSE(g.form.CurrentCounters());
    const std::vector<int> keys = test::CorrectPathKeys(g.s(), false);
    g.host.SetClock(1000, 0);
    ASSERT_TRUE(g.host.PressKey(keys[0]));
    g.host.SetClock(1010, 0);
    g.host.Minimize();
    g.host.SetClock(1500, 0);
    g.host.Restore();
    g.host.RunTimer();
    g.host.SetClock(1505, 0);
    ASSERT_TRUE(g.form.CurrentCounters());
    EXPECT_DOUBLE_EQ(g.form.CurrentCounters()->seconds, 15);
    EXPECT_EQ(g.form.CurrentCounters()->steps, 1);
    for (size_t i = 1; i < keys.size(); ++i) g.host.PressKey(keys[i]);
    g.host.SetClock(1600, 0);
    ASSERT_TRUE(g.form.CurrentCounters()->win);
    EXPECT_DOUBLE_EQ(g.form.CurrentCounters()->seconds, 15);
    EXPECT_EQ(g.form.CurrentCounters()->win->shortest, static_cast<int>(keys.size()));
    EXPECT_TRUE(g.form.CurrentCounters()->win->perfect);
    g.form.mnuActionItem_Click(kClear);
    g.host.RunTimer();
    EXPECT_FALSE(g.form.CurrentCounters());
}

}  // namespace
}  // namespace quivra
