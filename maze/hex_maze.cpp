#include "maze/hex_maze.h"

#include <cassert>

#include "maze/maze_engine.h"

namespace quivra {

namespace {

constexpr int kHexModulus = 727;

using HexEngine = detail::MazeEngine<kHexDirections, kHexOrders>;

HexEngine MakeEngine(const HexStepTable& hexStepX, const HexStepTable& hexStepY, int gridMaxX, int gridMaxY) {
    return HexEngine(hexStepX, hexStepY, gridMaxX, gridMaxY,
                     [gridMaxY](int y, int x) { return HexRasterCode(y, x, gridMaxY); });
}

int Carve(HexEngine& e, int gridMaxX, int gridMaxY, PathSteps& pathSteps, int cellsX, int cellsY,
          const SeedDigits& seed) {
    assert(cellsX >= 1 && cellsX % 2 == 1 && cellsY >= (cellsX > 1 ? 2 : 1));
    assert(gridMaxX == 4 * cellsX + 2 && gridMaxY == 4 * cellsY);
    assert(pathSteps.size() >= static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY) - cellsX / 2);
    auto start = [&](detail::FastRegister& reg) {
        const int col = reg.Next() % cellsX;
        const int r2 = reg.Next();
        const int y = col % 2 == 1 ? 4 * (r2 % (cellsY - 1)) + 4 : 4 * (r2 % cellsY) + 2;
        return e.Index(y, 4 * col + 3);
    };
    return e.Carve(seed, kHexModulus, pathSteps.data(), start, e.Index(0, 3), e.Index(gridMaxY, gridMaxX - 3));
}

MazeMeasures Solve(HexEngine& e, PathSteps& pathSteps, int gridMaxX, int gridMaxY) {
    return e.Solve(pathSteps.data(), e.Index(2, 3), e.Index(gridMaxY - 2, gridMaxX - 3),
                   e.Index(gridMaxY, gridMaxX - 3));
}

}  // namespace

uint8_t HexRasterCode(int y, int x, int gridMaxY) {
    const int col = x % 8;
    bool closed = false;
    switch (y % 4) {
        case 0:
            closed = (col >= 2 && col <= 4) || (col == 7 && y != 0 && y != gridMaxY);
            break;
        case 2:
            closed = col == 0 || col == 3 || col == 6 || col == 7;
            break;
        default:
            closed = col == 1 || col == 5;
            break;
    }
    return closed ? 0 : 2;
}

void FillHexRaster(ByteGrid& mazeGrid, int gridMaxX, int gridMaxY) {
    for (int y = 0; y <= gridMaxY; ++y) {
        for (int x = 0; x <= gridMaxX; ++x) mazeGrid(y, x) = HexRasterCode(y, x, gridMaxY);
    }
}

int CarveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, ByteGrid& mazeGrid, int gridMaxX,
                 int gridMaxY, PathSteps& pathSteps, int cellsX, int cellsY, const SeedDigits& seed) {
    HexEngine e = MakeEngine(hexStepX, hexStepY, gridMaxX, gridMaxY);
    const int draws = Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, seed);
    e.CopyOut(mazeGrid);
    return draws;
}

MazeMeasures SolveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, PathSteps& pathSteps,
                          ByteGrid& mazeGrid, int gridMaxX, int gridMaxY) {
    HexEngine e = MakeEngine(hexStepX, hexStepY, gridMaxX, gridMaxY);
    e.CopyIn(mazeGrid);
    const MazeMeasures m = Solve(e, pathSteps, gridMaxX, gridMaxY);
    e.CopyOut(mazeGrid);
    return m;
}

GenerationReport GenerateHexMaze(const MixTable& mixTableA, const MixTable& mixTableB, const HexStepTable& hexStepX,
                                 const HexStepTable& hexStepY, const Clock& clock, std::string_view seedText,
                                 ByteGrid& mazeGrid, int gridMaxX, int gridMaxY, PathSteps& pathSteps,
                                 int cellCount, int cellsX, int cellsY, double budget) {
    HexEngine e = MakeEngine(hexStepX, hexStepY, gridMaxX, gridMaxY);
    auto trial = [&](const SeedDigits& seed) {
        Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, seed);
        return Solve(e, pathSteps, gridMaxX, gridMaxY);
    };
    auto final = [&](GenerationReport& report) {
        report.draws = Carve(e, gridMaxX, gridMaxY, pathSteps, cellsX, cellsY, report.bestDigits);
        report.measures = Solve(e, pathSteps, gridMaxX, gridMaxY);
        e.CopyOut(mazeGrid);
    };
    return detail::ChooseBestCandidate(mixTableA, mixTableB, clock, seedText, cellCount, 4 * cellCount + 1, budget,
                                       trial, final);
}

}  // namespace quivra
