// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/scene_run.h"

#include "game/window_design.h"
#include "render/scene.h"

namespace quivra {

bool SceneRun::Begin() {
    if (build.drawInProgress) return false;
    build.drawInProgress = true;
    return true;
}

void SceneRun::Redraw() {
    build.needViewSetup = true;
    build.buildStage = kStageStart;
}

void SceneRun::Stop() {
    build.buildStage = kStageFinished;
    build.drawInProgress = false;
}

void SceneRun::RunStep(const Game& g, RunHost& host) {
    const uint8_t stage = build.buildStage;
    bool reachedEnd = false;
    if (stage == kStageStart) {
        Start(g, host);
    } else if (IsDrawingStage(g.style(), stage)) {
        Canvas canvas = host.DrawingCanvas();
        const StageReport report = DrawStage(g, *this, canvas);
        build.buildStage = report.nextStage;
        reachedEnd = report.reachedEnd;
    } else {
        host.DoEvents();
        return;
    }
    host.DoEvents();
    if (build.buildStage < kStageFinished) {
        host.ArmTimer();
    } else if (reachedEnd && build.buildStage == kStageFinished && build.drawInProgress) {
        // Only when no handler stopped or restarted the run meanwhile (closing leaves no grids;
        // minimising or a too-small window stops the run and leaves 5 behind as well).
        Finish(g, host);
    }
}

void SceneRun::RunViewStep(const Game& g, RunHost& host) {
    // A scene's drawing stages left behind by a switch of view start over with what this view needs.
    if (build.buildStage > kStageStart && build.buildStage < kStageFinished) build.buildStage = kStageStart;
    if (build.buildStage != kStageStart) {
        host.DoEvents();
        return;
    }
    Start(g, host);
    host.DoEvents();
    if (build.buildStage == kStageFirstDrawing && build.drawInProgress) {
        build.buildStage = kStageFinished;
        build.drawInProgress = false;
        host.ViewReady();
        host.Finished(g.FinishedStatus());
    } else if (build.buildStage < kStageFinished) {
        host.ArmTimer();   // an event restarted the run
    }
}

int SceneRun::RunToEnd(const Game& g, RunHost& host) {
    struct Loop final : RunHost {
        explicit Loop(RunHost& inner) : host(inner) {}
        void StartingRun() override { host.StartingRun(); }
        Area NewMazeArea() override { return host.NewMazeArea(); }
        void MakeNewMaze(const Area& area) override { host.MakeNewMaze(area); }
        double Clock() override { return host.Clock(); }
        Pixels NewView() override { return host.NewView(); }
        Canvas DrawingCanvas() override { return host.DrawingCanvas(); }
        void DoEvents() override { host.DoEvents(); }
        void ArmTimer() override { armed = true; }
        std::vector<StepResult> ViewReady() override { return host.ViewReady(); }
        void Finished(const std::string& status) override { host.Finished(status); }
        RunHost& host;
        bool armed = false;
    } loop(host);
    Begin();
    int steps = 0;
    do {
        loop.armed = false;
        RunStep(g, loop);
        ++steps;
    } while (loop.armed);
    return steps;
}

void SceneRun::Start(const Game& g, RunHost& host) {
    host.StartingRun();
    if (g.NeedsNewMaze()) {
        // A maze replacing one nobody asked to replace (a grid of the other style) needs its view.
        if (!g.maze().needNewMaze) build.needViewSetup = true;
        host.MakeNewMaze(host.NewMazeArea());
    }
    if (build.needViewSetup) {
        const RunHost::Pixels pixels = host.NewView();
        SetUpSceneView(g, *this, pixels.width, pixels.height);
        build.needViewSetup = false;
    }
    build.buildStage = kStageFirstDrawing;
}

void SceneRun::Finish(const Game& g, RunHost& host) {
    build.drawInProgress = false;
    Canvas canvas = host.DrawingCanvas();
    DrawSceneTrail(g, *this, canvas);
    for (const StepResult& step : host.ViewReady()) DrawStep(step, *this, canvas);
    if (g.walk().showingSolution) DrawSolution(g, *this, canvas);
    host.Finished(g.FinishedStatus());
}

}  // namespace quivra
