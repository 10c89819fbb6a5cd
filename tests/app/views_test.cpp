// SPDX-License-Identifier: GPL-3.0-or-later
// The view menu on the headless window: switching keeps the game, the first-person keys walk it out,
// moves are drawn in motion unless keys come faster, and the window draws what the tool draws.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "game/texts.h"
#include "tests/support/correct_path.h"
#include "tests/support/game_builder.h"
#include "tests/support/headless_game.h"
#include "tools/tool_cli.h"

namespace quivra {
namespace {

using View = FrmMain::View;
const char* const kCodes[] = {"S15x10-11882719-Y", "H21x13-93782719-0"};

// The game of a code in a window of this size, built to the end in `view`.
struct CodeGame : test::HeadlessGame {
    CodeGame(const std::string& code, View view, int width = 640, int height = 480) : HeadlessGame(width, height) {
        form.StartWithCode(*ParseMazeCode(code).maze);
        form.ShowIn(view);
        host.Show();
        host.RunTimer();
    }
    void Press(const std::vector<int>& keys) {
        for (int key : keys) host.PressKey(key);
    }
    void Choose(int item) {
        form.mnuViewItem_Click(item);
        host.RunTimer();
    }
};

std::string Keys(const std::vector<int>& keys) {
    std::string text;
    for (int key : keys) {
        if (!text.empty()) text += ',';
        text += std::to_string(key);
    }
    return text;
}

// quivra-tool render of a code with these options; the picture and the report.
QImage ToolPicture(const std::string& code, std::vector<std::string> options, std::string& report) {
    const std::string out = testing::TempDir() + "quivra_views_" + std::to_string(::getpid()) + ".png";
    std::vector<std::string> args = {"render", "--code", code, "--out", out};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream text, err;
    EXPECT_EQ(tool::RunTool(args, text, err), 0) << err.str();
    report = text.str();
    QImage image(QString::fromStdString(out));
    std::filesystem::remove(out);
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(Views, SwitchingKeepsTheGameAndTheSceneComesBackAsItWas) {
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        CodeGame g(code, View::Overview);
        const bool honeycomb = g.s().style() == MazeStyle::Honeycomb;
        std::vector<int> keys = test::CorrectPathKeys(g.s(), honeycomb);
        keys.resize(4);
        g.Press(keys);
        // The scene as any repaint draws it again: its trail drawn whole from the walk.
        g.host.Refresh();
        g.host.RunTimer();
        const QImage scene = g.host.Image();
        const std::vector<uint8_t> moves = g.s().Moves();
        EXPECT_TRUE(g.host.vscroll1Enabled);

        QImage previous = scene;
        for (int item : {kFirstPerson, kPlan, kFirstPerson}) {
            SCOPED_TRACE(item);
            g.Choose(item);
            EXPECT_TRUE(g.host.MenuChecked(Menu::View, item));
            EXPECT_FALSE(g.host.MenuChecked(Menu::View, kOverview));
            EXPECT_FALSE(g.host.vscroll1Enabled);   // only the scene tilts
            EXPECT_EQ(g.host.MenuEnabled(Menu::View, kCornerMap), item == kFirstPerson);
            EXPECT_EQ(g.s().Moves(), moves);
            EXPECT_EQ(g.form.MazeCodeText(), code);
            EXPECT_TRUE(g.s().SceneFinished());
            EXPECT_NE(g.host.Image(), previous);
            previous = g.host.Image();
        }
        EXPECT_EQ(g.host.Text1Text(), kFirstPersonHint);
        g.Choose(kOverview);
        EXPECT_TRUE(g.host.vscroll1Enabled);
        EXPECT_EQ(g.host.Text1Text(), g.s().Rules().walkingHint);
        EXPECT_EQ(g.host.Image(), scene);
    }
}

TEST(Views, ASwitchDuringABuildOrWhileMinimisedDrawsTheNewViewOfTheSameGame) {
    // The still picture of the game in first person, for comparison.
    const CodeGame still(kCodes[0], View::FirstPerson);

    CodeGame g(kCodes[0], View::Overview);
    g.form.mnuActionItem_Click(kClear);   // a new build of the scene, switched away from in its middle
    int steps = 0;
    g.host.onDoEvents = [&g, &steps](int) {
        if (++steps == 3) g.form.mnuViewItem_Click(kFirstPerson);
    };
    g.host.RunTimer();
    g.host.onDoEvents = nullptr;
    ASSERT_GE(steps, 3);
    EXPECT_TRUE(g.s().SceneFinished());
    EXPECT_EQ(g.host.Image(), still.host.Image());

    g.host.Minimize();
    g.form.mnuViewItem_Click(kPlan);
    g.form.mnuViewItem_Click(kFirstPerson);
    g.host.Restore();
    g.host.RunTimer();
    EXPECT_EQ(g.form.MazeCodeText(), kCodes[0]);
    EXPECT_EQ(g.host.Image(), still.host.Image());
}

TEST(Views, TheCorrectPathWalkedWithTheFirstPersonKeysReachesTheExit) {
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        CodeGame g(code, View::FirstPerson);
        const std::vector<int> keys = test::FirstPersonPathKeys(g.s());
        g.Press(keys);
        EXPECT_TRUE(g.s().walk().exitReached);
        EXPECT_EQ(g.host.Text1Text(), kCongratulation);
        EXPECT_EQ(g.host.beeps, 0);
        std::string report;
        ToolPicture(code, {"--view", "first-person", "--keys", Keys(keys)}, report);
        EXPECT_NE(report.find("exitReached 1\n"), std::string::npos) << report;
        EXPECT_NE(report.find("heading " + std::to_string(g.s().Heading()) + "\n"), std::string::npos) << report;
    }
}

TEST(Views, TheWindowDrawsWhatTheToolDraws) {
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        CodeGame fp(code, View::FirstPerson);
        std::vector<int> keys = test::FirstPersonPathKeys(fp.s());
        keys.resize(6);
        keys.push_back(vk::kLeft);
        fp.Press(keys);
        while (fp.form.Moving()) fp.form.Frame_Timer();
        std::string report;
        const QImage tool = ToolPicture(code, {"--view", "first-person", "--size", "640x480", "--keys", Keys(keys)}, report);
        EXPECT_EQ(fp.host.Image(), tool);
        // A palette display draws the same picture.
        EXPECT_EQ(ToolPicture(code, {"--view", "first-person", "--size", "640x480", "--keys", Keys(keys), "--palette"}, report),
                  tool);


        // The plan fills the drawing area: the tool's plan of that size.
        CodeGame plan(code, View::Plan);
        const std::vector<int> planKeys = test::CorrectPathKeys(plan.s(), plan.s().style() == MazeStyle::Honeycomb);
        const std::vector<int> some(planKeys.begin(), planKeys.begin() + 5);
        plan.Press(some);
        const int w = 640 - plan.host.VScroll1WidthPixels(), h = 480 - plan.host.Text1HeightPixels();
        const QImage toolPlan =
            ToolPicture(code, {"--view", "plan", "--size", std::to_string(w) + "x" + std::to_string(h), "--keys", Keys(some)},
                        report);
        EXPECT_EQ(plan.host.Image().copy(0, 0, w, h), toolPlan);
    }
}

TEST(Views, AMoveIsDrawnInMotionUnlessKeysComeFaster) {
    CodeGame g(kCodes[0], View::FirstPerson);
    g.host.SetClock(1000, 0.01);   // every reading of the clock a hundredth later
    const QImage before = g.host.Image();
    g.host.PressKey(vk::kUp);
    EXPECT_TRUE(g.form.Moving());
    EXPECT_TRUE(g.host.frameTimer);
    g.form.Frame_Timer();
    const QImage between = g.host.Image();
    int ticks = 0;
    while (g.host.frameTimer && ticks < 100) {
        g.form.Frame_Timer();
        ++ticks;
    }
    EXPECT_FALSE(g.form.Moving());
    EXPECT_LT(ticks, 20);   // about 150 ms of hundredths
    const QImage after = g.host.Image();
    EXPECT_NE(between, before);
    EXPECT_NE(between, after);

    // The same move in a game that took it at once ends on the same picture.
    CodeGame at(kCodes[0], View::FirstPerson);
    at.host.SetClock(2000, 0.01);
    at.host.PressKey(vk::kUp);
    at.host.PressKey(vk::kUp);   // at once after the first: no motion for either
    EXPECT_FALSE(at.form.Moving());
    EXPECT_FALSE(at.host.frameTimer);
    EXPECT_EQ(at.s().Moves().size(), 2u);
    g.host.SetClock(3000, 0.01);
    g.host.PressKey(vk::kUp);
    while (g.form.Moving()) g.form.Frame_Timer();
    EXPECT_EQ(at.host.Image(), g.host.Image());

    // A switch of view in the middle of a move: the move is made, its motion dropped.
    g.host.SetClock(4000, 0.01);
    g.host.PressKey(vk::kUp);
    ASSERT_TRUE(g.form.Moving());
    g.form.mnuViewItem_Click(kPlan);
    EXPECT_FALSE(g.form.Moving());
    EXPECT_FALSE(g.host.frameTimer);
    g.host.RunTimer();
    g.form.mnuViewItem_Click(kFirstPerson);
    g.host.RunTimer();
    EXPECT_EQ(g.s().Moves().size(), 3u);
    EXPECT_FALSE(g.form.Moving());

}

TEST(Views, APointOnTheFloorAheadWalksThere) {
    // The square code's start: a corridor straight down. The floor low in the middle is the cell
    // ahead, higher up the cells beyond it.
    CodeGame g(kCodes[0], View::FirstPerson, 640, 480);
    const int w = 640 - g.host.VScroll1WidthPixels(), h = 480 - g.host.Text1HeightPixels();
    const int before = g.s().walk().playerY;
    g.form.Form_PointerDown(w / 2.0, h * 0.6);
    EXPECT_GT(g.s().walk().playerY, before + 2);
    EXPECT_EQ(g.host.beeps, 0);
    // Above the horizon nothing happens.
    const std::vector<uint8_t> moves = g.s().Moves();
    g.form.Form_PointerDown(w / 2.0, h * 0.2);
    EXPECT_EQ(g.s().Moves(), moves);

    // In the plan: where the player's arrow stands after a key, a point walks to from the start.
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        CodeGame walked(code, View::Plan);
        const bool honeycomb = walked.s().style() == MazeStyle::Honeycomb;
        walked.Press({test::CorrectPathKeys(walked.s(), honeycomb)[0]});
        double x = 0, y = 0;
        int arrow = 0;
        const QImage& image = walked.host.Image();
        for (int py = 0; py < image.height(); ++py) {
            for (int px = 0; px < image.width(); ++px) {
                if (image.pixel(px, py) != qRgb(0, 0, 200)) continue;
                x += px + 0.5, y += py + 0.5, ++arrow;
            }
        }
        ASSERT_GT(arrow, 0);
        CodeGame pointed(code, View::Plan);
        pointed.form.Form_PointerDown(x / arrow, y / arrow);
        EXPECT_EQ(pointed.s().Moves(), walked.s().Moves());
        EXPECT_EQ(pointed.host.Image(), walked.host.Image());
    }
}

// Views switched among keys, moves in motion, builds, resizes and minimising, in a seeded random
// order: after every event the game is whole and the menu shows the view it is drawn in.
TEST(Views, AnyMixOfSwitchesAndEventsKeepsTheGameWhole) {
    std::mt19937 random(33);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    CodeGame g(kCodes[1], View::Overview);
    g.host.SetClock(100, 0.02);
    const int keys[] = {vk::kUp, vk::kDown, vk::kLeft, vk::kRight, vk::kHome, vk::kPageDown, vk::kEnd, vk::kW};
    const int views[] = {kOverview, kFirstPerson, kPlan, kCornerMap};
    for (int event = 0; event < 600; ++event) {
        SCOPED_TRACE("event " + std::to_string(event));
        switch (pick(9)) {
            case 0: case 1: g.form.mnuViewItem_Click(views[pick(4)]); break;
            case 2: case 3: g.host.PressKey(keys[pick(8)]); break;
            case 4: if (g.host.frameTimer) g.form.Frame_Timer(); break;
            case 5: g.host.TickTimer(); break;
            case 6: pick(2) ? g.host.Minimize() : g.host.Restore(); break;
            case 7: g.host.Resize(300 + pick(500), pick(4) == 0 ? 40 : 250 + pick(400)); break;
            default: g.form.mnuActionItem_Click(pick(2) ? kClear : kShowSolution); break;
        }
        const View view = g.form.CurrentView();
        ASSERT_TRUE(g.host.MenuChecked(Menu::View, view == View::Overview ? kOverview
                                                   : view == View::FirstPerson ? kFirstPerson : kPlan));
        ASSERT_EQ(g.host.vscroll1Enabled, view == View::Overview);
        ASSERT_EQ(g.host.hDC().LiveObjects(), 0);
        const WalkState& w = g.s().walk();
        ASSERT_EQ(g.form.MazeCodeText(), kCodes[1]);   // a code's maze stays through every resize
        ASSERT_LT(g.s().Heading(), g.s().Rules().directions);
        if (!w.exitReached) {
            ASSERT_EQ(w.walkGrid(w.playerY, w.playerX), 1);
        }
    }
    g.host.Restore();
    g.host.RunTimer();
    EXPECT_TRUE(g.s().SceneFinished());
}

}  // namespace
}  // namespace quivra
