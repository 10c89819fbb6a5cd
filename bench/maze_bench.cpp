// SPDX-License-Identifier: GPL-3.0-or-later
// Candidate mazes per 0.25 s: the generator's own loop (carve + solve per candidate) at the grid
// sizes the game makes for 800x600, 1920x1080 and 3840x2160 windows, alone and beside the yardstick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/plain_dfs.h"

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "maze/tables.h"

namespace {

using namespace quivra;

constexpr int kTrialsPerRun = 64;

// One second per reading against a budget of kTrialsPerRun seconds: exactly that many candidates.
Clock Stepping() {
    return [t = 0.0]() mutable { return t++; };
}

void SetCounters(benchmark::State& state, int cellCount) {
    // Wall-clock rate, as the game's budget is wall-clock time. Each run also carves its chosen
    // candidate once more; that work is not counted as a candidate.
    state.counters["candidates/0.25s"] =
        benchmark::Counter(0.25 * kTrialsPerRun * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cells"] = cellCount;
}

// Square and hex sizes as (cellsX, cellsY); the last argument is the thread count (0: every core).
void BM_SquareCandidates(benchmark::State& state) {
    const MazeTables& t = GameTables();
    const int cellsX = static_cast<int>(state.range(0)), cellsY = static_cast<int>(state.range(1));
    const MazeShape shape = MazeShape::Square(cellsX, cellsY);
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    PathSteps steps(shape.cellCount + 1);
    for (auto _ : state) {
        // Not const: Google Benchmark 1.9 deprecates DoNotOptimize on a const value.
        GenerationReport r = GenerateSquareMaze(t.mixA, t.mixB, t.stepX, t.stepY, Stepping(), " 43200.52", grid,
                                                shape, steps, kTrialsPerRun, static_cast<int>(state.range(2)));
        benchmark::DoNotOptimize(r);
    }
    SetCounters(state, shape.cellCount);
}
BENCHMARK(BM_SquareCandidates)
    ->ArgsProduct({{32}, {23}, {1, 0}})
    ->ArgsProduct({{79}, {42}, {1, 0}})
    ->ArgsProduct({{159}, {89}, {1, 0}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_HexCandidates(benchmark::State& state) {
    const MazeTables& t = GameTables();
    const int cellsX = static_cast<int>(state.range(0)), cellsY = static_cast<int>(state.range(1));
    const MazeShape shape = MazeShape::Honeycomb(cellsX, cellsY);
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    PathSteps steps(shape.cellCount + 1);
    for (auto _ : state) {
        GenerationReport r = GenerateHexMaze(t.mixA, t.mixB, t.hexStepX, t.hexStepY, Stepping(), " 43200.52",
                                             grid, shape, steps, kTrialsPerRun, static_cast<int>(state.range(2)));
        benchmark::DoNotOptimize(r);
    }
    SetCounters(state, shape.cellCount);
}
BENCHMARK(BM_HexCandidates)
    ->ArgsProduct({{21}, {13}, {1, 0}})
    ->ArgsProduct({{51}, {23}, {1, 0}})
    ->ArgsProduct({{105}, {50}, {1, 0}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Rounds of the side-by-side comparison: QUIVRA_BENCH_ROUNDS, at least 7 by default.
int Rounds() {
    const char* env = std::getenv("QUIVRA_BENCH_ROUNDS");
    const int n = env != nullptr ? std::atoi(env) : 0;
    return n > 0 ? n : 7;
}

// The game's search with its 0.25 s wall-clock budget against the yardstick's 0.25 s, taking turns
// (the order swaps every round) so that both see the same machine; counters are medians over the
// rounds, ratio the median of each round's quotient.
void BM_VersusYardstick(benchmark::State& state) {
    const MazeTables& t = GameTables();
    const bool hex = state.range(0) != 0;
    const int cellsX = static_cast<int>(state.range(1)), cellsY = static_cast<int>(state.range(2));
    const int threads = static_cast<int>(state.range(3));
    const MazeShape shape = MazeShape::Of(hex ? MazeStyle::Honeycomb : MazeStyle::Square, cellsX, cellsY);
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    PathSteps steps(shape.cellCount + 1);
    auto ours = [&] {
        const GenerationReport r =
            hex ? GenerateHexMaze(t.mixA, t.mixB, t.hexStepX, t.hexStepY, SteadySeconds, " 43200.52", grid, shape,
                                  steps, 0.25, threads)
                : GenerateSquareMaze(t.mixA, t.mixB, t.stepX, t.stepY, SteadySeconds, " 43200.52", grid, shape, steps,
                                     0.25, threads);
        return static_cast<double>(r.trials);
    };
    auto yardstick = [&] { return static_cast<double>(bench::PlainDfsCandidates(hex, cellsX, cellsY, 0.25)); };
    std::vector<double> mine, theirs, ratios;
    for (auto _ : state) {
        for (int round = 0; round < Rounds(); ++round) {
            double a, b;
            if (round % 2 == 0) {
                b = yardstick();
                a = ours();
            } else {
                a = ours();
                b = yardstick();
            }
            mine.push_back(a);
            theirs.push_back(b);
            ratios.push_back(a / b);
        }
    }
    state.SetLabel(hex ? "honeycomb" : "square");
    state.counters["quivra"] = Median(mine);
    state.counters["yardstick"] = Median(theirs);
    state.counters["ratio"] = Median(ratios);
    state.counters["threads"] = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
}
BENCHMARK(BM_VersusYardstick)
    ->ArgNames({"hex", "x", "y", "threads"})
    ->ArgsProduct({{0}, {79}, {42}, {1, 0}})
    ->ArgsProduct({{1}, {51}, {23}, {1, 0}})
    ->ArgsProduct({{0}, {32}, {23}, {1, 0}})
    ->ArgsProduct({{0}, {159}, {89}, {1, 0}})
    ->ArgsProduct({{1}, {21}, {13}, {1, 0}})
    ->ArgsProduct({{1}, {105}, {50}, {1, 0}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
