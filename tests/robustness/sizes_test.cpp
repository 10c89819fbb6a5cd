// SPDX-License-Identifier: GPL-3.0-or-later
// Window sizes at the edges: a single pixel, narrower than the scroll bar, exactly at and just
// under the too-small height, 8K and 16000 x 9000. Each builds to the end and walks out, or says
// the window is too small; nothing may overflow, and every drawing step frees what it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

struct Outcome {
    int ticks = 0;
    double longestStepMs = 0;
};

// Builds to the end one tick at a time, checking the device context after every step.
Outcome Build(HeadlessForm& host) {
    Outcome out;
    for (int i = 0; i < 100000 && host.Timer1Enabled(); ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        host.TickTimer();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - t0;
        out.longestStepMs = std::max(out.longestStepMs, took.count());
        ++out.ticks;
        EXPECT_EQ(host.hDC().LiveObjects(), 0) << "after tick " << out.ticks;
    }
    EXPECT_FALSE(host.Timer1Enabled());
    return out;
}

// Builds both styles in one window of the given size and walks each maze out through its exit.
void BuildAndWalkBothStyles(int w, int h) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    HeadlessForm host(w, h);
    FrmMain form(host);
    host.Show();
    for (int style : {kSquare, kHoneycomb}) {
        form.mnuStyleItem_Click(style);
        const Outcome o = Build(host);
        const GameState& s = form.State();
        ASSERT_EQ(s.build.buildStage, kStageFinished);
        EXPECT_FALSE(s.build.drawInProgress);
        EXPECT_EQ(host.Text1Text(), style == kHoneycomb ? kHexHint : kSquareHint);
        ASSERT_TRUE(s.maze().mazeGrid.Exists());
        EXPECT_EQ(s.maze().mazeGrid.MaxX(), s.maze().gridMaxX);
        EXPECT_EQ(s.maze().mazeGrid.MaxY(), s.maze().gridMaxY);
        EXPECT_GE(s.maze().cellsX, style == kHoneycomb ? 3 : 2);
        EXPECT_GE(s.maze().cellsY, 2);
        std::printf("%s %d x %d: %d x %d cells, %d ticks, longest step %.0f ms\n",
                    style == kHoneycomb ? "honeycomb" : "square", w, h, s.maze().cellsX, s.maze().cellsY, o.ticks,
                    o.longestStepMs);

        for (int key : test::CorrectPathKeys(s, (form.CheckedStyle() == MazeStyle::Honeycomb))) ASSERT_TRUE(host.PressKey(key));
        EXPECT_TRUE(s.walk().exitReached);
        EXPECT_EQ(host.Text1Text(), kCongratulation);
        EXPECT_EQ(host.hDC().LiveObjects(), 0);
    }
}

TEST(WindowSizes, SliversAndTheTooSmallLimit) {
    const int text1 = HeadlessForm().Text1HeightPixels();
    // A one-pixel window, and windows narrower than the scroll bar, are too low or build the
    // smallest maze; neither may crash.
    {
        HeadlessForm host(1, 1);
        FrmMain form(host);
        host.Show();
        EXPECT_EQ(host.Text1Text(), kTooSmall);
        EXPECT_FALSE(host.Timer1Enabled());
        // A repaint of a too-small window still builds, in either style; the grid is the smallest.
        host.ScrollTo(40);
        Build(host);
        EXPECT_EQ(form.State().maze().cellsX, 2);
        form.mnuStyleItem_Click(kHoneycomb);
        EXPECT_EQ(host.Text1Text(), kTooSmall);
        host.Refresh();
        Build(host);
        EXPECT_EQ(form.State().maze().cellsX, 3);
        EXPECT_EQ(form.State().maze().cellsY, 2);
    }
    BuildAndWalkBothStyles(1, 3 * text1);
    BuildAndWalkBothStyles(HeadlessForm().VScroll1WidthPixels() - 1, 300);
    // Exactly three status lines high is not too small; one pixel less is.
    BuildAndWalkBothStyles(400, 3 * text1);
    HeadlessForm low(400, 3 * text1 - 1);
    FrmMain form(low);
    low.Show();
    EXPECT_EQ(low.Text1Text(), kTooSmall);
    EXPECT_FALSE(low.Timer1Enabled());
}

TEST(WindowSizes, EightKAndSixteenThousandByNineThousand) {
    BuildAndWalkBothStyles(7680, 4320);
    BuildAndWalkBothStyles(16000, 9000);
}

}  // namespace
}  // namespace quivra
