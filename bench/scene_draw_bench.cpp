// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing either scene through the headless host: the whole redraw of a maze (a repaint:
// view set-up, floor, walls, trail) and the longest single timer step, which must stay far below
// the 55 ms tick. The maze is generated once, outside the timing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <vector>

#include <QImage>
#include <QPainter>

#include "app/frm_main.h"
#include "app/headless_form.h"

namespace {

using namespace quivra;
using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Game {
    HeadlessForm host;
    FrmMain form{host};
    Game(int width, int height, bool honeycomb) : host(width, height) {
        host.SetClock(43200.52, HeadlessForm::StepForTrials(1));
        host.Show();
        host.RunTimer();
        if (honeycomb) {
            form.mnuStyleItem_Click(kHoneycomb);
            host.RunTimer();
        }
    }
};

// Ticks the run to its end; returns the longest step by the stage it started in (0..4).
std::array<double, 5> RunTimed(Game& game, int& steps) {
    std::array<double, 5> longest{};
    for (;;) {
        const uint8_t stage = game.form.State().build.buildStage;
        const auto start = Clock::now();
        if (!game.host.TickTimer()) break;
        const double ms = Millis(Clock::now() - start);
        if (stage < longest.size()) longest[stage] = std::max(longest[stage], ms);
        ++steps;
    }
    return longest;
}

// The game's window sizes, both styles.
void GameSizes(benchmark::internal::Benchmark* b) {
    for (int style : {0, 1}) {
        b->Args({800, 600, style})->Args({1920, 1080, style})->Args({3840, 2160, style});
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Per stage, the longest step of each run; reported as the median over runs (a run on a busy
// machine can be preempted mid-step) and as the worst one seen.
void BM_Redraw(benchmark::State& state) {
    Game game(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    state.SetLabel(state.range(2) ? "honeycomb" : "square");
    std::array<std::vector<double>, 5> perRun;
    std::vector<double> maxPerRun;
    int steps = 0;
    for (auto _ : state) {
        game.host.Refresh();
        steps = 0;
        const auto run = RunTimed(game, steps);
        for (size_t i = 0; i < run.size(); ++i) perRun[i].push_back(run[i]);
        maxPerRun.push_back(*std::max_element(run.begin(), run.end()));
    }
    const GameState& s = game.form.State();
    state.counters["cells"] = s.maze().cellsX * s.maze().cellsY;
    state.counters["steps"] = steps;
    state.counters["max_step_ms"] = Median(maxPerRun);
    state.counters["worst_step_ms"] = *std::max_element(maxPerRun.begin(), maxPerRun.end());
    state.counters["view_ms"] = Median(perRun[0]);   // Cls and view set-up
    state.counters["floor_ms"] = std::max({Median(perRun[1]), Median(perRun[2]), Median(perRun[3])});
    state.counters["wall_ms"] = Median(perRun[4]);   // includes the finishing step (trail)
}
BENCHMARK(BM_Redraw)->Apply(GameSizes)->Unit(benchmark::kMillisecond);

// Stage 0 of a new maze with a single candidate: sizing, one carve and solve plus the final one,
// the trail grid and the view. The game's own generation spends its 0.25 s budget here on purpose.
void BM_NewMazeStageZero(benchmark::State& state) {
    Game game(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    state.SetLabel(state.range(2) ? "honeycomb" : "square");
    for (auto _ : state) {
        game.form.mnuActionItem_Click(kNewGame);
        game.host.TickTimer();
        state.PauseTiming();
        game.host.RunTimer();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewMazeStageZero)->Apply(GameSizes)->Unit(benchmark::kMillisecond);

// A whole square redraw at 3840x2160 beside bare QPainter filling the very polygons it drew, with
// the same colours, in the same order, on an image of the same size; taking turns, median of the
// rounds (QUIVRA_BENCH_ROUNDS, 9 by default). ratio = redraw / bare. The redraw also clears the
// window and draws the trail, which the bare fill does not.
void BM_RedrawVersusBarePainter(benchmark::State& state) {
    const int width = 3840, height = 2160;
    Game game(width, height, false);
    DeviceContext& dc = game.host.hDC();
    std::vector<FillRecord> fills;
    dc.RecordFills(&fills);
    game.host.Refresh();
    game.host.RunTimer();
    dc.RecordFills(nullptr);
    std::vector<QRgb> colours;
    for (const FillRecord& f : fills) colours.push_back(dc.Resolve(f.colour));
    QImage bareImage(game.host.Image().size(), game.host.Image().format());
    bareImage.fill(Qt::white);

    const char* env = std::getenv("QUIVRA_BENCH_ROUNDS");
    const int rounds = env != nullptr && std::atoi(env) > 0 ? std::atoi(env) : 9;
    auto ours = [&] {
        const auto start = Clock::now();
        game.host.Refresh();
        game.host.RunTimer();
        return Millis(Clock::now() - start);
    };
    auto bare = [&] {
        const auto start = Clock::now();
        QPainter painter(&bareImage);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        for (size_t i = 0; i < fills.size(); ++i) {
            painter.setBrush(QColor(colours[i]));
            painter.drawPolygon(fills[i].polygon, Qt::OddEvenFill);
        }
        painter.end();
        return Millis(Clock::now() - start);
    };
    std::vector<double> oursMs, bareMs, ratios;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            double a, b;
            if (round % 2 == 0) {
                a = ours();
                b = bare();
            } else {
                b = bare();
                a = ours();
            }
            oursMs.push_back(a);
            bareMs.push_back(b);
            ratios.push_back(a / b);
        }
    }
    state.counters["polygons"] = static_cast<double>(fills.size());
    state.counters["redraw_ms"] = Median(oursMs);
    state.counters["bare_ms"] = Median(bareMs);
    state.counters["ratio"] = Median(ratios);
}
BENCHMARK(BM_RedrawVersusBarePainter)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Our own share of that redraw: everything but QPainter's fills (the device context has no target,
// so each fill stops after its brush and region are made, checked and freed); Cls still clears.
void BM_RedrawOwnShare(benchmark::State& state) {
    Game game(3840, 2160, false);
    game.host.hDC().SetTarget(nullptr);
    for (auto _ : state) {
        game.host.Refresh();
        game.host.RunTimer();
    }
}
BENCHMARK(BM_RedrawOwnShare)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
