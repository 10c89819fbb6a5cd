// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, window events and the build timer, driven through the headless host.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "app/session.h"
#include "game/key_codes.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using test::HeadlessGame;
using test::SquareGame;

// The search stops at the first reading a budget or more after its first: with the step for N trials
// that is reading N, however large N is and at any time of day.
TEST(Startup, ScriptedClockGivesExactlyTheTrialsAskedFor) {
    for (double start : {0.0, 43200.52, 86399.0}) {
        for (int trials : {2, 1000, 1000000}) {
            HeadlessForm host;
            host.SetClock(start, HeadlessForm::StepForTrials(trials));
            const double t0 = host.Timer();
            int readings = 1;
            while (host.Timer() - t0 < kGenerationBudget) ++readings;
            EXPECT_EQ(readings, trials) << start;
        }
    }
}

TEST(Startup, LoadSetsFlagsTablesAndSquareStyle) {
    HeadlessGame g;
    g.form.Form_Load();
    const GameState& s = g.s();
    EXPECT_FALSE(s.build.drawInProgress);
    EXPECT_FALSE(s.walk().showingSolution);
    EXPECT_FALSE(s.walk().exitReached);
    EXPECT_EQ(s.build.buildStage, 0);
    EXPECT_TRUE(g.host.MenuChecked(Menu::Style, kSquare));
    EXPECT_FALSE(g.host.MenuChecked(Menu::Style, kHoneycomb));
    EXPECT_FALSE(s.maze().mazeGrid.Exists());
    EXPECT_FALSE(s.walk().walkGrid.Exists());
    EXPECT_TRUE(s.maze().pathSteps.empty());
    EXPECT_DOUBLE_EQ(s.tables().sqrtThree * s.tables().sqrtThree, 3.0);
    // Greys 0..12, then yellow, green, red; 16 stays black.
    const int greys[] = {0, 19, 39, 59, 78, 98, 118, 137, 157, 177, 196, 216, 236};
    for (int i = 0; i <= 12; ++i) EXPECT_EQ(s.palette.paletteColors[i], RGB(greys[i], greys[i], greys[i])) << i;
    EXPECT_EQ(s.palette.paletteColors[13], RGB(255, 255, 0));
    EXPECT_EQ(s.palette.paletteColors[14], RGB(0, 255, 0));
    EXPECT_EQ(s.palette.paletteColors[15], RGB(255, 0, 0));
    EXPECT_EQ(s.palette.paletteColors[16], 0u);
    // Base directions of both styles in order 0.
    EXPECT_EQ(s.tables().stepX[0][0], -1);
    EXPECT_EQ(s.tables().stepY[1][0], 1);
    EXPECT_EQ(s.tables().hexStepX[5][0], 2);
    EXPECT_EQ(s.tables().hexStepY[5][0], 1);
    EXPECT_EQ(s.tables().mixTableA[0], 1);
    EXPECT_EQ(s.tables().mixTableB[0], 4);
}

TEST(Startup, PaletteDecisionFollowsTheScreen) {
    struct Case {
        ScreenCaps caps;
        bool usePalette;
    } cases[] = {
        {{1, 32, -1}, false},   // true colour: n >= 31
        {{1, 24, -1}, true},    // 2^24 + 1 colours left
        {{1, 16, -1}, true},
        {{1, 8, 20}, true},     // 256-colour palette display, 20 reserved
        {{4, 1, 16}, false},    // 16 colours, all reserved
    };
    for (const Case& c : cases) {
        HeadlessGame g(400, 298, c.caps);
        g.form.Form_Load();
        EXPECT_EQ(g.s().palette.usePalette, c.usePalette) << c.caps.planes << "x" << c.caps.bitsPerPixel;
        EXPECT_EQ(g.s().palette.gamePalette != 0, c.usePalette);
    }
}

TEST(Startup, FirstShowingLaysOutAndBuildsAMaze) {
    HeadlessGame g;
    g.host.Show();
    const GameState& s = g.s();
    EXPECT_TRUE(s.maze().needNewMaze);
    EXPECT_TRUE(s.build.drawInProgress);
    EXPECT_TRUE(g.host.Timer1Enabled());
    EXPECT_FALSE(s.maze().seedText.empty());
    EXPECT_EQ(s.maze().seedText[0], ' ');
    // Layout in pixels: scroll bar flush right above the status line, status line along the bottom.
    g.host.SetScaleMode(kScalePixels);
    EXPECT_EQ(g.host.VScroll1Left(), 400 - g.host.VScroll1Width());
    EXPECT_EQ(g.host.VScroll1Height(), 298 - g.host.Text1Height());
    EXPECT_EQ(g.host.Text1Top(), 298 - g.host.Text1Height());
    EXPECT_EQ(g.host.Text1Width(), 400);

    g.host.RunTimer();
    EXPECT_EQ(s.build.buildStage, kStageFinished);
    EXPECT_FALSE(s.build.drawInProgress);
    EXPECT_FALSE(g.host.Timer1Enabled());
    EXPECT_TRUE(s.maze().mazeGrid.Exists());
    EXPECT_EQ(g.host.Text1Text(), kSquareHint);
    EXPECT_TRUE(g.host.MenuEnabled(Menu::Action, kShowSolution));
    EXPECT_TRUE(g.host.MenuEnabled(Menu::Action, kClear));
    EXPECT_DOUBLE_EQ(s.viewAngle(), 45);
}

TEST(Startup, TooSmallThresholdIsThreeStatusLines) {
    // The status line is 19 px high: 57 px is exactly three lines and still big enough.
    HeadlessGame g(400, 57);
    g.host.Show();
    EXPECT_EQ(g.s().build.buildStage, 0);
    EXPECT_TRUE(g.s().build.drawInProgress);
    EXPECT_NE(g.host.Text1Text(), kTooSmall);

    HeadlessGame small(400, 56);
    small.host.Show();
    EXPECT_EQ(small.s().build.buildStage, kStageFinished);
    EXPECT_FALSE(small.s().build.drawInProgress);
    EXPECT_FALSE(small.host.Timer1Enabled());
    EXPECT_EQ(small.host.Text1Text(), kTooSmall);
    // Keys do nothing on a window that never had a maze.
    EXPECT_FALSE(small.host.PressKey(vk::kDown));
    EXPECT_EQ(small.host.beeps, 0);
}

TEST(Startup, RestoreKeepsTheMazeOtherResizesMakeANewOne) {
    SquareGame g;
    ASSERT_TRUE(g.host.PressKey(vk::kRight) || g.host.PressKey(vk::kDown));
    const ByteGrid maze = g.s().maze().mazeGrid;
    const ByteGrid walk = g.s().walk().walkGrid;
    const int px = g.s().walk().playerX, py = g.s().walk().playerY;

    g.host.Minimize();
    EXPECT_EQ(g.s().build.buildStage, kStageFinished);
    EXPECT_TRUE(g.s().build.wasMinimized);
    g.host.Restore();
    EXPECT_FALSE(g.s().maze().needNewMaze);
    g.host.RunTimer();
    EXPECT_EQ(g.s().maze().mazeGrid, maze);
    EXPECT_EQ(g.s().walk().walkGrid, walk);
    EXPECT_EQ(g.s().walk().playerX, px);
    EXPECT_EQ(g.s().walk().playerY, py);

    g.s().Clear();
    g.s().Replay(test::CorrectPathMoves(g.s()));
    ASSERT_TRUE(g.s().walk().exitReached);
    g.s().ShowSolution();
    g.host.SetClock(50000.25, 1.0);
    g.host.Resize(500, 350);
    EXPECT_TRUE(g.s().maze().needNewMaze);
    EXPECT_FALSE(g.s().walk().exitReached);
    EXPECT_FALSE(g.s().walk().showingSolution);
    EXPECT_EQ(g.s().maze().seedText, " 50000.25");
    g.host.RunTimer();
    EXPECT_EQ(g.s().walk().playerX, 1);
    EXPECT_EQ(g.s().walk().playerY, 1);
}

TEST(Startup, RepaintDuringARunNeverStartsASecondChain) {
    HeadlessGame g;
    g.host.Show();
    g.host.TickTimer();   // stage 0
    g.host.TickTimer();   // floor
    int restarts = 0;
    g.host.onDoEvents = [&](int) {
        if (restarts < 3) {
            ++restarts;
            g.host.Refresh();
            EXPECT_TRUE(g.s().build.drawInProgress);
        }
    };
    const int ticks = g.host.RunTimer();
    EXPECT_EQ(restarts, 3);
    EXPECT_EQ(g.s().build.buildStage, kStageFinished);
    EXPECT_FALSE(g.host.Timer1Enabled());
    // Each repaint restarts from stage 0; a whole build of this size is gridMaxY/2 + 4 ticks.
    EXPECT_GT(ticks, g.s().maze().gridMaxY / 2 + 4);
}

TEST(Startup, ScrollBarTiltsTheView) {
    SquareGame g;
    // Dragging the thumb of a finished scene changes nothing until it is released.
    g.host.DragThumb(30);
    EXPECT_DOUBLE_EQ(g.s().viewAngle(), 45);
    EXPECT_FALSE(g.host.Timer1Enabled());
    g.host.ScrollTo(30);
    EXPECT_DOUBLE_EQ(g.s().viewAngle(), 60);
    EXPECT_TRUE(g.host.Timer1Enabled());
    EXPECT_TRUE(g.s().build.drawInProgress);
    // During a run every drag step restarts the drawing with the new tilt.
    g.host.TickTimer();
    g.host.DragThumb(60);
    EXPECT_DOUBLE_EQ(g.s().viewAngle(), 30);
    EXPECT_EQ(g.s().build.buildStage, 0);
    g.host.RunTimer();
    EXPECT_NEAR(g.s().view.viewSin, 0.5, 1e-12);
}

TEST(Startup, UnloadEndsTheChainAndReleasesTheGrids) {
    HeadlessGame g;
    g.host.Show();
    g.host.TickTimer();
    // Closed in the middle of a step, with a repaint queued behind: nothing runs after the close.
    g.host.Post([&] { g.host.Close(); });
    g.host.Post([&] { g.host.Refresh(); });
    g.host.TickTimer();
    EXPECT_TRUE(g.host.ended);
    EXPECT_EQ(g.host.paints, 1);
    EXPECT_EQ(g.s().build.buildStage, kStageClosing);
    EXPECT_FALSE(g.host.Timer1Enabled());
    EXPECT_FALSE(g.s().maze().mazeGrid.Exists());
    EXPECT_TRUE(g.s().maze().pathSteps.empty());
}

TEST(Startup, WindowNarrowerThanTheScrollBarStillBuilds) {
    for (int width : {1, 10, 17, 18}) {
        SquareGame g(width, 300);
        EXPECT_EQ(g.s().build.buildStage, kStageFinished) << width;
        EXPECT_EQ(g.s().maze().cellsX, 2) << width;
        EXPECT_GE(g.s().maze().cellsY, 2) << width;
        EXPECT_TRUE(std::isfinite(g.s().view.scaleX)) << width;
    }
}

// An X server's socket, as one listens: the abstract name (any user may make one) of display N.
bool ListenAsDisplay(int fd, int n) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string name = std::string(1, '\0') + "/tmp/.X11-unix/X" + std::to_string(n);
    name.copy(addr.sun_path, name.size());
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), size) == 0 && ::listen(fd, 4) == 0;
}

TEST(Startup, DisplayCheckAcceptsTheLocalFormsOfAListeningServer) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    int n = 60000;
    while (n < 60100 && !ListenAsDisplay(fd, n)) ++n;
    ASSERT_LT(n, 60100) << "no free display number";
    const std::string N = std::to_string(n), none = std::to_string(n + 200);
    const struct {
        std::string display;
        bool reachable;
    } cases[] = {
        {":" + N, true}, {":" + N + ".0", true}, {":" + N + ".1", true}, {"unix:" + N + ".0", true},
        {":" + none, false}, {":" + none + ".0", false}, {":" + N + "x", false}, {N, false},
    };
    // Only DISPLAY names a session here; the rest comes back afterwards.
    std::vector<std::pair<const char*, std::string>> saved;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
        ::unsetenv(name);
    }
    for (const auto& c : cases) {
        ::setenv("DISPLAY", c.display.c_str(), 1);
        EXPECT_EQ(GraphicalSessionReachable(), c.reachable) << "DISPLAY=" << c.display;
    }
    ::unsetenv("DISPLAY");
    for (const auto& [name, value] : saved) ::setenv(name, value.c_str(), 1);
    ::close(fd);
}

}  // namespace
}  // namespace quivra
