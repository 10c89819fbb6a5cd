// SPDX-License-Identifier: GPL-3.0-or-later
// A Huge honeycomb (121 x 80, from its code) built to the end as the window builds it: stages
// drawn a tick at a time within the tick budget, by the wall clock. Reported: the drawing's own
// time (the benchmark's), the ticks it took, and when it reaches the screen once the 55 ms waits
// between ticks are added.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <QImage>

#include "game/window_design.h"
#include "maze/maze_code.h"
#include "render/scene_run.h"

namespace {

using namespace quivra;
using Steady = std::chrono::steady_clock;

// The drawing area of a window filling a 1920 x 1080 screen, with a steady clock.
struct Host final : RunHost {
    Host(SceneRun& r, Game& g, int w, int h) : run(r), game(g), image(w, h, QImage::Format_RGB32), dc(&image) {}
    Area NewMazeArea() override { return {image.width() * 15.0, image.height() * 15.0}; }
    void MakeNewMaze(const Area& area) override {
        game.MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return Clock(); }, kGenerationBudget);
    }
    double Clock() override { return std::chrono::duration<double>(Steady::now() - epoch).count(); }
    Pixels NewView() override {
        image.fill(Qt::white);
        return {image.width(), image.height()};
    }
    Canvas DrawingCanvas() override { return MakeCanvas(dc, image.height(), run); }
    void ArmTimer() override { armed = true; }
    void Finished(const std::string&) override {}

    SceneRun& run;
    Game& game;
    QImage image;
    DeviceContext dc;
    Steady::time_point epoch = Steady::now();
    bool armed = false;
};

void BM_HugeHoneycombBuild(benchmark::State& state) {
    Game game;
    game.PlayCode(*ParseMazeCode("H121x80-33782719-T").maze);
    SceneRun run;
    Host host(run, game, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int ticks = 0;
    for (auto _ : state) {
        run.Redraw();
        run.Begin();
        ticks = 0;
        do {
            host.armed = false;
            run.RunStep(game, host);
            ++ticks;
        } while (host.armed);
    }
    state.counters["ticks"] = ticks;
    state.counters["waits_s"] = (ticks - 1) * kTimer1Interval / 1000.0;
    state.SetLabel("121x80 honeycomb, " + std::to_string(state.range(0)) + "x" + std::to_string(state.range(1)));
}
BENCHMARK(BM_HugeHoneycombBuild)->Args({1817, 1004})->Args({383, 279})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
