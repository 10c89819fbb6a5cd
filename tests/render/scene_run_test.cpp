// SPDX-License-Identifier: GPL-3.0-or-later
// The build run without a window: what it asks of its host at each step, and how events between
// steps restart, stop or leave it.
#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <string>

#include "game/texts.h"
#include "game/window_design.h"
#include "render/scene.h"
#include "render/scene_run.h"

namespace quivra {
namespace {

// A host of 400 x 298 pixels (the written window) that writes down what the run asks of it.
struct RecordingHost final : RunHost {
    RecordingHost(SceneRun& r, Game& g) : run(r), game(g) {}
    void StartingRun() override { log += "start "; }
    Area NewMazeArea() override {
        log += "area ";
        return {383 * 15.0, 279 * 15.0};
    }
    void MakeNewMaze(const Area& area) override {
        game.MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return Clock(); }, kGenerationBudget);
    }
    double Clock() override { return clock += 0.05; }
    Pixels NewView() override {
        log += "view ";
        return {383, 279};
    }
    Canvas DrawingCanvas() override { return MakeCanvas(dc, 279, run); }
    void DoEvents() override {
        if (onEvents) std::exchange(onEvents, nullptr)();
    }
    void ArmTimer() override { log += "arm "; }
    void Finished(const std::string& s) override {
        log += "finished";
        status = s;
    }
    // Steps while the timer is armed, as the window's timer would; how many.
    int RunTimer(Game& g) {
        int steps = 0;
        do {
            log.clear();
            run.RunStep(g, *this);
            ++steps;
        } while (log.ends_with("arm "));
        return steps;
    }

    SceneRun& run;
    Game& game;
    QImage image{383, 279, QImage::Format_RGB32};
    DeviceContext dc{&image};
    double clock = 43200;
    std::string log, status;
    std::function<void()> onEvents;
};

TEST(SceneRun, StageZeroMakesTheMazeAndTheViewThenTheStagesDrawToTheFinish) {
    Game g;
    SceneRun run;
    RecordingHost host(run, g);
    g.NewGame(43200.52);
    run.Redraw();
    ASSERT_TRUE(run.Begin());
    EXPECT_FALSE(run.Begin());   // one chain only
    host.run.RunStep(g, host);
    EXPECT_EQ(host.log, "start area view arm ");
    EXPECT_EQ(g.maze().cellsX, 15);
    // A 15 x 10 square scene: the floor and six row pairs of walls, then the finish (the tool
    // reports 14 timer steps for it, stage 0 included).
    EXPECT_EQ(host.RunTimer(g), 13);
    EXPECT_EQ(host.log, "finished");
    EXPECT_EQ(host.status, kSquareHint);
    EXPECT_TRUE(run.SceneFinished() && !run.Running());

    // A tilt or a repaint draws the same maze again: a new view, no new maze.
    const ByteGrid maze = g.maze().mazeGrid;
    run.Redraw();
    run.Begin();
    host.log.clear();
    run.RunStep(g, host);
    EXPECT_EQ(host.log, "start view arm ");
    EXPECT_EQ(g.maze().mazeGrid, maze);
}

TEST(SceneRun, EventsBetweenStepsRestartStopOrLeaveTheRun) {
    Game g;
    SceneRun run;
    RecordingHost host(run, g);
    g.NewGame(43200.52);
    run.Redraw();
    run.Begin();
    host.RunTimer(g);

    // A repaint in the middle of the drawing: back to stage 0, and the run goes on from there.
    run.Redraw();
    host.run.RunStep(g, host);
    host.run.RunStep(g, host);
    host.onEvents = [&] { run.Redraw(); };
    host.log.clear();
    run.RunStep(g, host);
    EXPECT_EQ(host.log, "arm ");
    EXPECT_EQ(run.build.buildStage, kStageStart);

    // Minimised during the last step: the run ends without the finish.
    host.RunTimer(g);
    run.Redraw();
    run.Begin();
    for (int i = 0; i < 12; ++i) run.RunStep(g, host);
    host.onEvents = [&] { run.Stop(); };
    host.log.clear();
    run.RunStep(g, host);
    EXPECT_EQ(host.log, "");
    EXPECT_TRUE(run.SceneFinished() && !run.Running());

    // Past the drawing stages a step only lets events run.
    for (uint8_t stage : {kStageFinished, kStageClosing}) {
        run.build.buildStage = stage;
        bool ran = false;
        host.onEvents = [&] { ran = true; };
        host.log.clear();
        run.RunStep(g, host);
        EXPECT_TRUE(ran && host.log.empty() && run.build.buildStage == stage);
    }
}


// A walk waiting after a rebuild is the host's game's to take, once the view is ready: a scene's
// run asks after its trail is drawn and draws the steps it is given; a run for another view asks
// before it says it finished. Neither takes the walk itself.
TEST(SceneRun, EveryViewAsksItsHostToTakeAWaitingWalkWhenReady) {
    struct ReadyHost final : RunHost {
        explicit ReadyHost(SceneRun& r) : run(r) {}
        Area NewMazeArea() override { return {383 * 15.0, 279 * 15.0}; }
        void MakeNewMaze(const Area& area) override {
            game->MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return Clock(); }, kGenerationBudget);
        }
        double Clock() override { return clock += 0.05; }   // the search ends on its budget
        Pixels NewView() override { return {383, 279}; }
        Canvas DrawingCanvas() override { return MakeCanvas(dc, 279, run); }
        void ArmTimer() override { armed = true; }
        std::vector<StepResult> ViewReady() override {
            log += "ready ";
            if (!game->HasWalkToReplay()) return {};
            std::vector<StepResult> steps;
            game->ReplayWalk([&](const StepResult& step) { steps.push_back(step); });
            return steps;
        }
        void Finished(const std::string&) override { log += "finished"; }
        SceneRun& run;
        Game* game = nullptr;
        QImage image{383, 279, QImage::Format_RGB32};
        DeviceContext dc{&image};
        std::string log;
        bool armed = false;
        double clock = 43200;
    };
    for (const bool scene : {true, false}) {
        SCOPED_TRACE(scene ? "the scene" : "another view");
        Game g;
        g.ChooseSize(SizeChoice::Named(0));
        g.NewGame(43200.52);
        SceneRun run;
        ReadyHost host(run);
        host.game = &g;
        SetUpPalette(host.dc, run.palette);
        const auto runToEnd = [&] {
            run.Redraw();
            run.Begin();
            do {
                host.armed = false;
                host.log.clear();
                scene ? run.RunStep(g, host) : run.RunViewStep(g, host);
            } while (host.armed);
        };
        const auto greenPixels = [&] {
            int n = 0;
            for (int y = 0; y < host.image.height(); ++y)
                for (int x = 0; x < host.image.width(); ++x) n += host.image.pixel(x, y) == qRgb(0, 255, 0);
            return n;
        };
        runToEnd();
        EXPECT_EQ(host.log, "ready finished");
        const int greenAtStart = greenPixels();   // the way in, for the scene
        const CorrectPath path = g.Path();
        for (size_t i = 0; i + 1 < path.directions.size() && i < 3; ++i) g.Step(path.directions[i]);
        const WalkState walked = g.walk();
        g.WindowResized(43300);   // the chosen size stays: the walk waits for the view
        ASSERT_TRUE(g.HasWalkToReplay());
        host.image.fill(Qt::white);
        runToEnd();
        EXPECT_EQ(host.log, "ready finished");
        EXPECT_FALSE(g.HasWalkToReplay());
        EXPECT_EQ(g.walk().walkGrid, walked.walkGrid);
        EXPECT_EQ(g.walk().playerX, walked.playerX);
        // The scene draws the steps taken again, in the green of new steps; another view draws itself.
        EXPECT_EQ(greenPixels() > greenAtStart, scene);
    }
}

}  // namespace
}  // namespace quivra
