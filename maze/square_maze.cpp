#include "maze/square_maze.h"

#include <cassert>

#include "maze/maze_engine.h"

namespace quivra {

namespace {

constexpr int kSquareModulus = 29;

using SquareEngine = detail::MazeEngine<kSquareDirections, kSquareOrders>;

SquareEngine MakeEngine(const SquareStepTable& stepX, const SquareStepTable& stepY, int gridMaxX, int gridMaxY) {
    return SquareEngine(stepX, stepY, gridMaxX, gridMaxY, [](int, int) { return uint8_t{0}; });
}

int Carve(SquareEngine& e, int gridMaxX, int gridMaxY, PathSteps& pathSteps, int cellsX, int cellsY,
          const SeedDigits& seed) {
    assert(cellsX >= 1 && cellsY >= 1 && gridMaxX == 2 * cellsX && gridMaxY == 2 * cellsY);
    assert(pathSteps.size() >= static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY));
    auto start = [&](detail::FastRegister& reg) {
        auto pick = [&reg](int n) {
            const int r1 = reg.Next();
            const int r2 = reg.Next();
            const int r3 = reg.Next();
            return ((r1 * kSquareModulus + r2) * kSquareModulus + r3) % n;
        };
        const int x = 2 * pick(cellsX) + 1;
        const int y = 2 * pick(cellsY) + 1;
        return e.Index(y, x);
    };
    return e.Carve(seed, kSquareModulus, pathSteps.data(), start, e.Index(0, 1), e.Index(gridMaxY, gridMaxX - 1));
}

MazeMeasures Solve(SquareEngine& e, PathSteps& pathSteps, int gridMaxX, int gridMaxY) {
    return e.Solve(pathSteps.data(), e.Index(1, 1), e.Index(gridMaxY - 1, gridMaxX - 1),
                   e.Index(gridMaxY, gridMaxX - 1));
}

}  // namespace

int CarveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, ByteGrid& mazeGrid, int gridMaxX,
                    int gridMaxY, PathSteps& pathSteps, int cellsX, int cellsY, const SeedDigits& seed) {
    SquareEngine e = MakeEngine(stepX, stepY, gridMaxX, gridMaxY);
    const int draws = Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, seed);
    e.CopyOut(mazeGrid);
    return draws;
}

MazeMeasures SolveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, PathSteps& pathSteps,
                             ByteGrid& mazeGrid, int gridMaxX, int gridMaxY) {
    SquareEngine e = MakeEngine(stepX, stepY, gridMaxX, gridMaxY);
    e.CopyIn(mazeGrid);
    const MazeMeasures m = Solve(e, pathSteps, gridMaxX, gridMaxY);
    e.CopyOut(mazeGrid);
    return m;
}

GenerationReport GenerateSquareMaze(const MixTable& mixTableA, const MixTable& mixTableB,
                                    const SquareStepTable& stepX, const SquareStepTable& stepY, const Clock& clock,
                                    std::string_view seedText, ByteGrid& mazeGrid, int gridMaxX, int gridMaxY,
                                    PathSteps& pathSteps, int cellCount, int cellsX, int cellsY, double budget) {
    SquareEngine e = MakeEngine(stepX, stepY, gridMaxX, gridMaxY);
    auto trial = [&](const SeedDigits& seed) {
        Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, seed);
        return Solve(e, pathSteps, gridMaxX, gridMaxY);
    };
    auto final = [&](GenerationReport& report) {
        report.draws = Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, report.bestDigits);
        report.measures = Solve(e, pathSteps, gridMaxX, gridMaxY);
        e.CopyOut(mazeGrid);
    };
    return detail::ChooseBestCandidate(mixTableA, mixTableB, clock, seedText, cellCount, 2 * cellCount + 1, budget,
                                       trial, final);
}

}  // namespace quivra
