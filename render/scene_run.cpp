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

void SceneRun::RunStep(const Game& g, RunHost& host) { Step(g, host, TickBudget(g)); }

double SceneRun::TickBudget(const Game& g) { return g.MazeStaysOnResize() ? kStageTickBudget : 0; }

namespace {

// Seconds of a clock that counts since midnight, from one reading to a later one.
double Elapsed(double from, double to) { return to >= from ? to - from : to + 86400.0 - from; }

}  // namespace

void SceneRun::Step(const Game& g, RunHost& host, double budget) {
    const double start = budget > 0 ? host.Clock() : 0;
    bool reachedEnd = false;
    bool first = true;
    for (;;) {
        const uint8_t stage = build.buildStage;
        if (stage == kStageStart) {
            Start(g, host);
        } else if (IsDrawingStage(g.style(), stage)) {
            Canvas canvas = host.DrawingCanvas();
            const StageReport report = DrawStage(g, *this, canvas);
            build.buildStage = report.nextStage;
            reachedEnd = report.reachedEnd;
        } else if (first) {
            host.DoEvents();
            return;
        } else {
            break;
        }
        first = false;
        if (build.buildStage >= kStageFinished || !(budget > 0) || !(Elapsed(start, host.Clock()) < budget)) break;
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

bool SceneRun::HoldsInput(const Game& g) const {
    if (build.buildStage >= kStageFinished) return false;
    // A maze still to be made holds input only when it is a walk taken again (a resumed game).
    if (g.NeedsNewMaze()) return g.HasWalkToReplay();
    return !build.newGame;
}

bool SceneRun::Hold(const Game& g, const HeldEvent& event) { return HoldsInput(g) && held_.Push(event); }

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
        build.newGame = false;
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
        Step(g, loop, 0);
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
        // A walk taken again (a resumed game) is the player's game still; anything else is new,
        // and what was held for the game before is not for it.
        build.newGame = !g.HasWalkToReplay();
        if (build.newGame) held_.Clear();
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
    build.newGame = false;
    Canvas canvas = host.DrawingCanvas();
    DrawSceneTrail(g, *this, canvas);
    for (const StepResult& step : host.ViewReady()) DrawStep(step, *this, canvas);
    if (g.walk().showingSolution) DrawSolution(g, *this, canvas);
    host.Finished(g.FinishedStatus());
}

}  // namespace quivra
