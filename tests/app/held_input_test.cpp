// SPDX-License-Identifier: GPL-3.0-or-later
// Keys pressed while the same game is drawn again walk once it is drawn, through the headless host.
#include <gtest/gtest.h>

#include <vector>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using test::SquareGame;

// The first steps of the correct path, pressed after the scene is drawn: what the held keys must give.
struct Walked {
    std::vector<int> keys;
    ByteGrid walkGrid;
    QImage image;
};

Walked WalkedAfterwards(bool viaRedraw) {
    SquareGame g;
    Walked w;
    w.keys = test::CorrectPathKeys(g.s(), false);
    w.keys.resize(5);
    g.form.mnuActionItem_Click(kShowSolution);
    g.form.HideCorrectPath();
    if (!viaRedraw) g.host.RunTimer();
    for (int key : w.keys) EXPECT_EQ(g.host.PressKey(key), true);
    g.host.RunTimer();
    w.walkGrid = g.s().walk().walkGrid;
    w.image = g.host.Image();
    return w;
}

TEST(HeldKeys, KeysPressedWhileTheCorrectPathIsHiddenAllWalk) {
    const Walked held = WalkedAfterwards(true);
    const Walked after = WalkedAfterwards(false);
    EXPECT_EQ(held.walkGrid, after.walkGrid);
    EXPECT_TRUE(held.image == after.image);
    int walked = 0;
    for (int y = 0; y <= held.walkGrid.MaxY(); ++y) {
        for (int x = 0; x <= held.walkGrid.MaxX(); ++x) walked += held.walkGrid(y, x) == 1 ? 1 : 0;
    }
    EXPECT_GE(walked, 6);   // the start and five steps at least (the slots between count too)
}

TEST(HeldKeys, KeysPressedWhileANewGameIsDrawnAreDropped) {
    SquareGame g;
    g.form.mnuActionItem_Click(kNewGame);
    g.host.TickTimer();   // the new maze is made, its drawing begins
    const std::vector<int> keys = test::CorrectPathKeys(g.s(), false);
    EXPECT_FALSE(g.host.PressKey(keys[0]));
    g.host.RunTimer();
    EXPECT_EQ(g.s().Moves().size(), 0u);
}

}  // namespace
}  // namespace quivra
