// Candidate mazes per 0.25 s: the generator's own loop (carve + solve per candidate) at the grid
// sizes the game makes for 800x600, 1920x1080 and 3840x2160 windows.
#include <benchmark/benchmark.h>

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

void BM_SquareCandidates(benchmark::State& state) {
    const MazeTables& t = GameTables();
    const int cellsX = static_cast<int>(state.range(0)), cellsY = static_cast<int>(state.range(1));
    const int gridMaxX = 2 * cellsX, gridMaxY = 2 * cellsY, cellCount = cellsX * cellsY;
    ByteGrid grid;
    grid.Redim(gridMaxY, gridMaxX);
    PathSteps steps(cellCount + 1);
    for (auto _ : state) {
        const GenerationReport r = GenerateSquareMaze(t.mixA, t.mixB, t.stepX, t.stepY, Stepping(), " 43200.52", grid,
                                                      gridMaxX, gridMaxY, steps, cellCount, cellsX, cellsY,
                                                      kTrialsPerRun);
        benchmark::DoNotOptimize(r);
    }
    SetCounters(state, cellCount);
}
BENCHMARK(BM_SquareCandidates)->Args({32, 23})->Args({79, 42})->Args({159, 89})->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HexCandidates(benchmark::State& state) {
    const MazeTables& t = GameTables();
    const int cellsX = static_cast<int>(state.range(0)), cellsY = static_cast<int>(state.range(1));
    const int gridMaxX = cellsX / 2 * 8 + 6, gridMaxY = 4 * cellsY, cellCount = cellsX * cellsY - cellsX / 2;
    ByteGrid grid;
    grid.Redim(gridMaxY, gridMaxX);
    PathSteps steps(cellCount + 1);
    for (auto _ : state) {
        const GenerationReport r = GenerateHexMaze(t.mixA, t.mixB, t.hexStepX, t.hexStepY, Stepping(), " 43200.52",
                                                   grid, gridMaxX, gridMaxY, steps, cellCount, cellsX, cellsY,
                                                   kTrialsPerRun);
        benchmark::DoNotOptimize(r);
    }
    SetCounters(state, cellCount);
}
BENCHMARK(BM_HexCandidates)->Args({21, 13})->Args({51, 23})->Args({105, 50})->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
