// SPDX-License-Identifier: GPL-3.0-or-later
// What the game may rely on from its window, checked the same way on both hosts: the real Qt
// window on the offscreen platform, driven through Qt's own events, and the headless host.
#include <gtest/gtest.h>

#include <string>

#include "game/key_codes.h"
#include "host_driver.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

using test::CorrectPathDirections;
using test::CorrectPathKeys;

class HostContract : public ::testing::TestWithParam<std::string> {
protected:
    std::unique_ptr<HostDriver> Started(int w = 400, int h = 298) {
        auto d = GetParam() == "qt" ? MakeQtDriver(w, h) : MakeHeadlessDriver(w, h);
        d->Show();
        d->RunBuild();
        return d;
    }
};

void ExpectTicked(FormHost& h, int style) {
    EXPECT_EQ(h.MenuChecked(Menu::Style, kHoneycomb), style == kHoneycomb);
    EXPECT_EQ(h.MenuChecked(Menu::Style, kSquare), style == kSquare);
}

bool Finished(HostDriver& d) {
    const GameState& s = d.Form().State();
    return s.build.buildStage == kStageFinished && !s.build.drawInProgress && !d.Host().Timer1Enabled();
}

TEST_P(HostContract, OnlyTheGameTicksAStyleAndTheTickedOneDoesNothing) {
    auto d = Started();
    FormHost& h = d->Host();
    const GameState& s = d->Form().State();
    for (int ticked : {kSquare, kHoneycomb}) {
        SCOPED_TRACE(ticked == kSquare ? "square ticked" : "honeycomb ticked");
        const int other = ticked == kSquare ? kHoneycomb : kSquare;
        // At rest: no tick changes, no run, the same maze.
        const ByteGrid maze = s.maze().mazeGrid;
        d->Click(Menu::Style, ticked);
        ExpectTicked(h, ticked);
        EXPECT_TRUE(Finished(*d));
        EXPECT_EQ(s.maze().mazeGrid, maze);

        // In the middle of a build: the build goes on to its end; the greyed items do nothing.
        d->Click(Menu::Action, kNewGame);
        d->Tick();
        d->Tick();
        const int stage = s.build.buildStage;
        d->Click(Menu::Style, ticked);
        d->Click(Menu::Action, kShowSolution);
        d->Click(Menu::Action, kClear);
        ExpectTicked(h, ticked);
        EXPECT_EQ(s.build.buildStage, stage);
        EXPECT_FALSE(s.walk().showingSolution);
        d->RunBuild(1000);
        EXPECT_TRUE(Finished(*d));
        EXPECT_EQ(h.Text1Text(), ticked == kSquare ? kSquareHint : kHexHint);

        // The other item switches, mid-build, to a maze of its own style that its keys walk out of.
        d->Click(Menu::Action, kNewGame);
        d->Tick();
        d->Click(Menu::Style, other);
        ExpectTicked(h, other);
        d->RunBuild(1000);
        ASSERT_TRUE(Finished(*d));
        EXPECT_EQ(s.maze().gridMaxX, other == kHoneycomb ? 4 * s.maze().cellsX + 2 : 2 * s.maze().cellsX);
        for (int key : CorrectPathKeys(s, other == kHoneycomb)) d->PressKey(key);
        EXPECT_EQ(h.Text1Text(), kCongratulation);
    }
}

TEST_P(HostContract, ControlsFollowTheClientAreaAlsoWhenItIsTooSmall) {
    auto d = Started();
    FormHost& h = d->Host();
    const int line = d->Text1HeightPixels();
    const int sizes[][2] = {{640, 200}, {300, 2 * line}, {300, 3 * line}, {200, 3 * line - 1}, {400, 298}};
    for (const auto& size : sizes) {
        d->ResizeClient(size[0], size[1]);
        SCOPED_TRACE(std::to_string(d->ClientWidth()) + "x" + std::to_string(d->ClientHeight()));
        for (int mode : {kScaleTwips, kScalePixels}) {
            h.SetScaleMode(mode);
            // The status line always lies along the bottom, where it can be read.
            EXPECT_EQ(h.Text1Top(), h.ScaleHeight() - h.Text1Height());
            EXPECT_EQ(h.Text1Width(), h.ScaleWidth());
            if (static_cast<float>(h.Text1Height() * 3) > static_cast<float>(h.ScaleHeight())) {
                EXPECT_EQ(h.Text1Text(), kTooSmall);
                EXPECT_TRUE(Finished(*d));
            } else {
                EXPECT_EQ(h.VScroll1Left(), h.ScaleWidth() - h.VScroll1Width());
                EXPECT_EQ(h.VScroll1Height(), h.ScaleHeight() - h.Text1Height());
                EXPECT_TRUE(h.Timer1Enabled());
            }
        }
        h.SetScaleMode(kScaleTwips);
        d->RunBuild();
    }
    EXPECT_EQ(h.Text1Text(), kSquareHint);
}

TEST_P(HostContract, KeysArriveAsTheirCodesAndWalkingKeysAreConsumed) {
    auto d = Started();
    const GameState& s = d->Form().State();
    // Square: keypad 8 from the start is the entrance, blocked; the honeycomb's keys beep.
    for (int key : {vk::kPad8, vk::kHome, vk::kEnd, vk::kPageUp, vk::kPageDown, vk::kPad7, vk::kPad1, vk::kPad9,
                    vk::kPad3}) {
        d->PressKey(key);
    }
    EXPECT_EQ(d->counts.beeps, 9);
    EXPECT_EQ(s.walk().playerX, 1);
    EXPECT_EQ(s.walk().playerY, 1);
    const int keypad[4] = {vk::kPad4, vk::kPad2, vk::kPad6, vk::kPad8};
    for (int dir : CorrectPathDirections(s, false)) d->PressKey(keypad[dir]);
    EXPECT_TRUE(s.walk().exitReached);
    // Walking is over: keys are not looked at.
    d->PressKey(vk::kDown);
    EXPECT_EQ(d->counts.beeps, 9);

    d->Click(Menu::Style, kHoneycomb);
    d->RunBuild();
    for (int key : {vk::kLeft, vk::kRight, vk::kPad4, vk::kPad6}) d->PressKey(key);
    EXPECT_EQ(d->counts.beeps, 13);
    for (int key : CorrectPathKeys(s, true)) d->PressKey(key);
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(d->counts.beeps, 13);
}

TEST_P(HostContract, ScrollBarTiltsOnChangeAndWhileDraggingDuringARun) {
    auto d = Started();
    FormHost& h = d->Host();
    const GameState& s = d->Form().State();
    d->DragThumb(35);
    EXPECT_EQ(h.VScroll1Value(), 35);
    EXPECT_DOUBLE_EQ(s.viewAngle(), 45);
    EXPECT_FALSE(h.Timer1Enabled());
    d->ReleaseThumb();
    EXPECT_DOUBLE_EQ(s.viewAngle(), 55);
    EXPECT_TRUE(h.Timer1Enabled());
    d->Tick();
    d->DragThumb(60);
    EXPECT_DOUBLE_EQ(s.viewAngle(), 30);
    EXPECT_EQ(s.build.buildStage, kStageStart);
    d->ReleaseThumb();
    d->RunBuild();
    EXPECT_NEAR(s.view.viewSin, 0.5, 1e-12);
    d->ScrollTo(30);
    EXPECT_EQ(h.VScroll1Value(), 30);
    EXPECT_DOUBLE_EQ(s.viewAngle(), 60);
    d->RunBuild();
    EXPECT_TRUE(Finished(*d));
}

TEST_P(HostContract, MinimiseAndRestoreKeepTheGameAndRefreshRaisesPaint) {
    auto d = Started();
    FormHost& h = d->Host();
    const GameState& s = d->Form().State();
    d->PressKey(vk::kRight);
    d->PressKey(vk::kDown);
    const ByteGrid maze = s.maze().mazeGrid, walk = s.walk().walkGrid;
    const int x = s.walk().playerX, y = s.walk().playerY;
    d->Minimize();
    EXPECT_EQ(h.WindowState(), kWindowMinimized);
    EXPECT_TRUE(Finished(*d));
    d->Restore();
    EXPECT_EQ(h.WindowState(), 0);
    EXPECT_TRUE(h.Timer1Enabled());
    d->RunBuild();
    EXPECT_EQ(s.maze().mazeGrid, maze);
    EXPECT_EQ(s.walk().walkGrid, walk);
    EXPECT_EQ(s.walk().playerX, x);
    EXPECT_EQ(s.walk().playerY, y);
    EXPECT_EQ(h.Text1Text(), kSquareHint);

    h.Refresh();
    EXPECT_TRUE(s.build.drawInProgress);
    EXPECT_TRUE(h.Timer1Enabled());
    EXPECT_FALSE(h.MenuEnabled(Menu::Action, kClear));
    d->RunBuild();
    EXPECT_EQ(s.walk().walkGrid, walk);
}

TEST_P(HostContract, NothingIsHandledAfterExitOrClose) {
    for (bool close : {false, true}) {
        SCOPED_TRACE(close ? "closed" : "exit");
        auto d = Started();
        const GameState& s = d->Form().State();
        d->Click(Menu::Action, kNewGame);
        d->Tick();
        d->Post([&] { d->Click(Menu::Action, kNewGame); });
        if (close) {
            d->Close();
        } else {
            d->Click(Menu::Action, kExit);
        }
        d->Click(Menu::Style, kHoneycomb);
        d->PressKey(vk::kDown);
        d->ScrollTo(30);
        d->ResizeClient(500, 300);
        EXPECT_FALSE(d->Tick());
        EXPECT_EQ(s.build.buildStage, kStageClosing);
        EXPECT_FALSE(s.maze().mazeGrid.Exists());
        ExpectTicked(d->Host(), kSquare);
    }
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostContract, ::testing::Values("headless", "qt"),
                         [](const ::testing::TestParamInfo<std::string>& host) { return host.param; });

}  // namespace
}  // namespace quivra
