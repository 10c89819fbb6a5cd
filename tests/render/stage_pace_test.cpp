// SPDX-License-Identifier: GPL-3.0-or-later
// The run's pace for a maze that is not the window's own, by a scripted clock, and the input it
// holds or drops while it draws.
#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "maze/maze_code.h"
#include "render/scene_run.h"

namespace quivra {
namespace {

// The written window's drawing area; every reading of the clock moves it on by `step` seconds.
struct PacedHost final : RunHost {
    explicit PacedHost(SceneRun& r) : run(r) {}
    Area NewMazeArea() override { return {383 * 15.0, 279 * 15.0}; }
    void MakeNewMaze(const Area& area) override {
        game->MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return Clock(); }, kGenerationBudget);
    }
    double Clock() override {
        return std::exchange(clock, clock + step >= 86400 ? clock + step - 86400 : clock + step);
    }
    Pixels NewView() override { return image.fill(Qt::white), Pixels{383, 279}; }
    Canvas DrawingCanvas() override { return MakeCanvas(dc, 279, run); }
    void ArmTimer() override { armed = true; }
    void Finished(const std::string&) override {}
    // A redraw ticked as the window's timer would until the run stops arming it; how many ticks.
    int Ticks(Game& g) {
        game = &g;
        run.Redraw();
        run.Begin();
        int ticks = 0;
        for (armed = true; armed && ticks < 10000; ++ticks) {
            armed = false;
            run.RunStep(g, *this);
        }
        return ticks;
    }
    SceneRun& run;
    Game* game = nullptr;   // the game the run asks for a new maze
    QImage image{383, 279, QImage::Format_RGB32};
    DeviceContext dc{&image};
    double clock = 43200.52, step = 1;
    bool armed = false;
};

// 15 x 10 squares: stage 0 and 13 drawing stages (the tool reports 14), the written window's size.
const NamedMaze kSquare = *ParseMazeCode("S15x10-11882719-Y").maze;

TEST(StagePace, AMazeNotTheWindowsOwnDrawsStagesUntilFiftyMillisecondsAreSpent) {
    struct Case {
        bool code;
        double start, step;
        int ticks;   // 14 stages, as many a tick as readings stay under 50 ms
    } const cases[] = {{false, 43200.52, 0.06, 14}, {false, 43200.52, 0.001, 14}, {true, 43200.52, 0.01, 3},
                       {true, 43200.52, 0.02, 5},   {true, 43200.52, 0.06, 14},   {true, 43200.52, 0, 1},
                       {true, 86399.98, 0.01, 3}};   // across midnight
    for (const Case& c : cases) {
        Game g;
        SceneRun run;
        PacedHost host(run);
        c.code ? g.PlayCode(kSquare) : g.NewGame(43200.52);
        if (!c.code) host.Ticks(g);   // made at the window's size, then drawn again
        host.clock = c.start;
        host.step = c.step;
        EXPECT_EQ(host.Ticks(g), c.ticks) << c.code << " " << c.step;
        EXPECT_EQ(g.maze().cellsX * 100 + g.maze().cellsY, 1510);
    }
}

TEST(StagePace, StagesDrawnTogetherDrawTheSamePicture) {
    Game paced, written;
    paced.PlayCode(*ParseMazeCode("H21x13-93782719-0").maze);
    written.PlayCode(*ParseMazeCode("H21x13-93782719-0").maze);
    SceneRun pacedRun, writtenRun;
    PacedHost pacedHost(pacedRun), writtenHost(writtenRun);
    pacedHost.step = 0.004;
    EXPECT_LT(pacedHost.Ticks(paced), 10);
    writtenRun.Redraw();
    writtenHost.game = &written;
    EXPECT_GT(writtenRun.RunToEnd(written, writtenHost), 50);   // one stage a step, as the tool builds
    EXPECT_TRUE(pacedHost.image == writtenHost.image);
}

// A game drawn once, then asked to draw again: the point of each case below.
struct HeldInputRun : ::testing::Test {
    void SetUp() override {
        g = Game();
        run = SceneRun();
        g.NewGame(43200.52);
        host.Ticks(g);
        run.Redraw();
        run.Begin();
    }
    Game g;
    SceneRun run;
    PacedHost host{run};
};

TEST_F(HeldInputRun, ARedrawOfTheSameGameHoldsInputANewGameDropsIt) {
    struct Case {
        const char* name;
        std::function<void(HeldInputRun&)> then;
        bool held;
    } const cases[] = {
        {"redraw (view, hidden path, Clear, tilt)", [](HeldInputRun&) {}, true},
        {"redraw half drawn", [](HeldInputRun& t) { (t.host.game = &t.g, t.run.RunStep(t.g, t.host)), (t.host.game = &t.g, t.run.RunStep(t.g, t.host)); }, true},
        {"finished: keys walk at once", [](HeldInputRun& t) { t.host.Ticks(t.g); }, false},
        {"new game asked", [](HeldInputRun& t) { t.g.NewGame(43300); }, false},
        {"new game drawn", [](HeldInputRun& t) { t.g.NewGame(43300), (t.host.game = &t.g, t.run.RunStep(t.g, t.host)); }, false},
        {"window-sized game resized", [](HeldInputRun& t) { t.g.WindowResized(43400); }, false},
        {"chosen size resized",
         [](HeldInputRun& t) {
             t.g.ChooseSize(SizeChoice::Custom(15, 10));
             t.g.NewGame(1);
             t.host.Ticks(t.g);
             t.run.Redraw();
             t.g.WindowResized(2);
         },
         true},
        {"resumed", [](HeldInputRun& t) { t.g.ResumeCode(kSquare, {1}); }, true},
        {"resumed, maze made", [](HeldInputRun& t) { t.g.ResumeCode(kSquare, {1}), (t.host.game = &t.g, t.run.RunStep(t.g, t.host)); }, true},
        {"minimised", [](HeldInputRun& t) { t.run.Stop(); }, false},
        {"closing", [](HeldInputRun& t) { t.run.CloseRun(); }, false},
    };
    for (const Case& c : cases) {
        SetUp();
        c.then(*this);
        EXPECT_EQ(run.Hold(g, HeldEvent::Key(vk::kDown)), c.held) << c.name;
        EXPECT_EQ(run.TakeHeld().size(), c.held ? 1u : 0u) << c.name;
    }
}

TEST_F(HeldInputRun, HeldInputComesOutInOrderAFewDozenAtMostAndNeverInANewGame) {
    std::vector<HeldEvent> offered;
    for (int i = 0; i < 40; ++i) {
        offered.push_back(i % 5 == 4 ? HeldEvent::Point(i, 2 * i) : HeldEvent::Key(vk::kLeft + i % 4));
        EXPECT_EQ(run.Hold(g, offered.back()), i < 32) << i;
    }
    offered.resize(32);
    EXPECT_EQ(run.TakeHeld(), offered);
    EXPECT_TRUE(run.TakeHeld().empty());
    ASSERT_TRUE(run.Hold(g, HeldEvent::Key(vk::kDown)));
    g.NewGame(43300);
    host.Ticks(g);
    EXPECT_TRUE(run.TakeHeld().empty());
}

}  // namespace
}  // namespace quivra
