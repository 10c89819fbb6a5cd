// SPDX-License-Identifier: GPL-3.0-or-later
// Keys pressed while the correct path is hidden (the same game drawn again) walk once it is drawn.
#include <gtest/gtest.h>

#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

// Five steps of the correct path pressed during the redraw, or after it: the walk grid and picture.
std::pair<ByteGrid, QImage> WalkedFiveSteps(bool duringTheRedraw) {
    test::SquareGame g;
    const std::vector<int> keys = test::CorrectPathKeys(g.s(), false);
    g.form.mnuActionItem_Click(kShowSolution);
    g.form.HideCorrectPath();
    if (!duringTheRedraw) g.host.RunTimer();
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(g.host.PressKey(keys[i]));
    g.host.RunTimer();
    EXPECT_EQ(g.s().Moves().size(), 5u);
    return {g.s().walk().walkGrid, g.host.Image()};
}

TEST(HeldKeys, KeysPressedWhileTheCorrectPathIsHiddenAllWalk) {
    const auto held = WalkedFiveSteps(true), after = WalkedFiveSteps(false);
    EXPECT_EQ(held.first, after.first);
    EXPECT_TRUE(held.second == after.second);
}

}  // namespace
}  // namespace quivra
