// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the run draws a maze that is not the window's own, by a scripted clock, and what it
// does with input that comes while it draws.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "game/key_codes.h"
#include "maze/maze_code.h"
#include "render/scene_run.h"

namespace quivra {
namespace {

// The written window's drawing area (383 x 279 pixels); every reading of its clock moves it on by
// `step` seconds. Counts the steps that drew something.
struct PacedHost final : RunHost {
    explicit PacedHost(SceneRun& r) : run(r) { image.fill(Qt::white); }
    Area NewMazeArea() override { return {383 * 15.0, 279 * 15.0}; }
    double Clock() override {
        const double now = clock;
        clock += step;
        if (clock >= 86400) clock -= 86400;
        return now;
    }
    Pixels NewView() override {
        image.fill(Qt::white);
        return {383, 279};
    }
    Canvas DrawingCanvas() override { return MakeCanvas(dc, 279, run); }
    void ArmTimer() override { armed = true; }
    void Finished(const std::string&) override { finished = true; }
    // Ticks as the window's timer would until the run stops arming it; how many.
    int Ticks(Game& g) {
        run.Redraw();
        run.Begin();
        int ticks = 0;
        do {
            armed = false;
            run.RunStep(g, *this);
            ++ticks;
        } while (armed && ticks < 10000);
        return ticks;
    }

    SceneRun& run;
    QImage image{383, 279, QImage::Format_RGB32};
    DeviceContext dc{&image};
    double clock = 43200.52, step = 0;
    bool armed = false, finished = false;
};

// A 15 x 10 square: stage 0 and 13 drawing stages (the tool reports 14 for it), the written
// window's own size.
const char* const kSquareCode = "S15x10-11882719-Y";

struct PaceCase {
    const char* name;
    bool code;           // the maze of a code, else the window-sized game
    double start, step;  // the clock
    int ticks;           // worked from 14 stages and 50 ms a tick
};

const PaceCase kPaces[] = {
    {"window-sized, slow clock", false, 43200.52, 0.06, 14},
    {"window-sized, fast clock", false, 43200.52, 0.001, 14},
    {"code, 10 ms a stage: five a tick", true, 43200.52, 0.01, 3},
    {"code, 20 ms a stage: three a tick", true, 43200.52, 0.02, 5},
    {"code, 60 ms a stage: one a tick", true, 43200.52, 0.06, 14},
    {"code, a clock that stands still: all at once", true, 43200.52, 0, 1},
    {"code, across midnight", true, 86399.98, 0.01, 3},
};

TEST(StagePace, AMazeNotTheWindowsOwnDrawsStagesUntilTheTickBudgetIsSpent) {
    for (const PaceCase& c : kPaces) {
        SCOPED_TRACE(c.name);
        Game g;
        SceneRun run;
        PacedHost host(run);
        if (c.code) {
            g.PlayCode(*ParseMazeCode(kSquareCode).maze);
        } else {
            g.NewGame(43200.52);
        }
        // The window-sized game's search reads the clock: its maze is made first, and drawn again.
        if (!c.code) {
            host.step = 1;
            run.Redraw();
            run.Begin();
            run.RunStep(g, host);
        }
        host.clock = c.start;
        host.step = c.step;
        EXPECT_EQ(host.Ticks(g), c.ticks);
        EXPECT_EQ(g.maze().cellsX * 100 + g.maze().cellsY, 1510);
        EXPECT_TRUE(host.finished && run.SceneFinished());
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
    // One stage a step, as the tool builds it.
    writtenRun.Redraw();
    EXPECT_GT(writtenRun.RunToEnd(written, writtenHost), 50);
    EXPECT_TRUE(pacedHost.image == writtenHost.image);
}

// Held or dropped: a key offered at a point of a run.
struct HoldCase {
    const char* name;
    void (*setUp)(Game& g, SceneRun& run, PacedHost& host);
    bool held;
};

void Finished(Game& g, SceneRun&, PacedHost& host) { host.Ticks(g); }
void Redrawing(Game& g, SceneRun& run, PacedHost& host) {
    host.Ticks(g);
    run.Redraw();   // a view switch, the correct path hidden, Clear, a tilt
    run.Begin();
}
void RedrawingMidway(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    run.RunStep(g, host);
    run.RunStep(g, host);
}
void NewGameAsked(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    g.NewGame(43300);
}
void NewGameMidway(Game& g, SceneRun& run, PacedHost& host) {
    NewGameAsked(g, run, host);
    host.step = 1;
    run.RunStep(g, host);   // the new maze is made; its drawing goes on
}
void KeptMazeResized(Game& g, SceneRun& run, PacedHost& host) {
    g.ChooseSize(SizeChoice::Custom(15, 10));
    g.NewGame(43300);
    Redrawing(g, run, host);
    g.WindowResized(43400);
}
void WindowSizedResized(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    g.WindowResized(43400);
}
void Resumed(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    g.ResumeCode(*ParseMazeCode(kSquareCode).maze, {1});
}
void ResumedMidway(Game& g, SceneRun& run, PacedHost& host) {
    Resumed(g, run, host);
    run.RunStep(g, host);
}
void Minimised(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    run.Stop();
}
void Closing(Game& g, SceneRun& run, PacedHost& host) {
    Redrawing(g, run, host);
    run.CloseRun();
}

const HoldCase kHolds[] = {
    {"first maze, before stage 0", [](Game& g, SceneRun& run, PacedHost&) { g.NewGame(43200.52); run.Redraw(); },
     false},
    {"finished scene: keys walk at once", Finished, false},
    {"redraw of the same game", Redrawing, true},
    {"redraw of the same game, half drawn", RedrawingMidway, true},
    {"new game asked during a redraw", NewGameAsked, false},
    {"new game being drawn", NewGameMidway, false},
    {"resize keeping a chosen size's maze", KeptMazeResized, true},
    {"resize of the window-sized game", WindowSizedResized, false},
    {"resumed game, before its maze is made", Resumed, true},
    {"resumed game, its maze made", ResumedMidway, true},
    {"minimised: no run", Minimised, false},
    {"closing", Closing, false},
};

TEST(HeldInput, ARedrawOfTheSameGameHoldsInputANewGameDropsIt) {
    for (const HoldCase& c : kHolds) {
        SCOPED_TRACE(c.name);
        Game g;
        SceneRun run;
        PacedHost host(run);
        host.step = 1;
        g.NewGame(43200.52);
        c.setUp(g, run, host);
        EXPECT_EQ(run.Hold(g, HeldEvent::Key(vk::kDown)), c.held);
        EXPECT_EQ(run.TakeHeld().size(), c.held ? 1u : 0u);
    }
}

// A game drawn once and being drawn again: input is held.
struct HeldInputRedraw : ::testing::Test {
    void SetUp() override {
        host.step = 1;
        g.NewGame(43200.52);
        Redrawing(g, run, host);
    }
    Game g;
    SceneRun run;
    PacedHost host{run};
};

TEST_F(HeldInputRedraw, HeldInputComesOutInOrderAFewDozenAtMost) {
    std::vector<HeldEvent> offered;
    for (int i = 0; i < 40; ++i) {
        offered.push_back(i % 5 == 4 ? HeldEvent::Point(i, 2 * i) : HeldEvent::Key(vk::kLeft + i % 4));
        EXPECT_EQ(run.Hold(g, offered.back()), i < 32) << i;
    }
    offered.resize(32);
    // Taken once: the host takes them when the scene is finished.
    EXPECT_EQ(run.TakeHeld(), offered);
    EXPECT_TRUE(run.TakeHeld().empty());
}

TEST_F(HeldInputRedraw, WhatWasHeldForTheLastGameIsNotForANewOne) {
    ASSERT_TRUE(run.Hold(g, HeldEvent::Key(vk::kDown)));
    g.NewGame(43300);
    host.Ticks(g);
    EXPECT_TRUE(run.TakeHeld().empty());
}

}  // namespace
}  // namespace quivra
