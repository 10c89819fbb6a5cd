// SPDX-License-Identifier: GPL-3.0-or-later
// Walking out in first person on the headless window: the text the window hands over is shown over
// the view once the exit is reached, and only then.
#include <gtest/gtest.h>

#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

TEST(FinishView, TheSummaryIsShownOverTheViewOnceThePlayerWalkedOut) {
    test::HeadlessGame g(640, 480);
    g.form.StartWithCode(*ParseMazeCode("S15x10-11882719-Y").maze);
    g.form.ShowIn(FrmMain::View::FirstPerson);
    g.host.Show();
    g.host.RunTimer();
    const int width = DrawAreaWidthPixels(g.host), height = DrawAreaHeightPixels(g.host);
    // The panel's left edge, half way down: the exit's light (grey 12 of the game's palette).
    const QPoint panel(width / 10 + 2, height / 2);
    const QRgb light = qRgb(12 * 256 / 13, 12 * 256 / 13, 12 * 256 / 13);
    EXPECT_FALSE(g.form.ShowFinishText("walked out"));   // still walking: nothing over the view
    EXPECT_NE(g.host.Image().pixel(panel), light);
    for (int key : test::FirstPersonPathKeys(g.s())) g.host.PressKey(key);
    ASSERT_TRUE(g.s().walk().exitReached);
    EXPECT_EQ(g.host.Image().pixel(panel), light);      // the text given before
    EXPECT_TRUE(g.form.ShowFinishText("恭喜!\n32 steps"));
    EXPECT_FALSE(g.form.ShowFinishText("恭喜!\n32 steps"));   // the same text: no drawing again
    EXPECT_EQ(g.host.Image().pixel(panel), light);
    EXPECT_TRUE(g.form.ShowFinishText(""));
    EXPECT_NE(g.host.Image().pixel(panel), light);
}

}  // namespace
}  // namespace quivra
