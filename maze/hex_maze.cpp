#include "maze/hex_maze.h"

#include <algorithm>
#include <cassert>

#include "maze/candidate_search.h"
#include "maze/maze_engine.h"

namespace quivra {

namespace {

struct HexRules {
    static constexpr int kSlots = kHexDirections;
    static constexpr int kOrders = kHexOrders;
    static constexpr int kModulus = 727;
    using Layout = detail::MazeLayout<kSlots, kOrders>;

    int cellsX, cellsY;
    int entrance, exit, first, last;

    HexRules(const Layout& l, int cx, int cy, int gridMaxX, int gridMaxY)
        : cellsX(cx),
          cellsY(cy),
          entrance(l.Index(0, 3)),
          exit(l.Index(gridMaxY, gridMaxX - 3)),
          first(l.Index(2, 3)),
          last(l.Index(gridMaxY - 2, gridMaxX - 3)) {}

    template <class Reg>
    int StartCell(Reg& reg, const Layout& l) const {
        const int col = reg.Next() % cellsX;
        const int r2 = reg.Next();
        const int y = col % 2 == 1 ? 4 * (r2 % (cellsY - 1)) + 4 : 4 * (r2 % cellsY) + 2;
        return l.Index(y, 4 * col + 3);
    }
};

using Carver = detail::MazeCarver<HexRules>;

HexRules::Layout MakeLayout(const HexStepTable& hexStepX, const HexStepTable& hexStepY, int gridMaxX, int gridMaxY) {
    return HexRules::Layout(hexStepX, hexStepY, gridMaxX, gridMaxY,
                            [gridMaxY](int y, int x) { return HexRasterCode(y, x, gridMaxY); });
}

// The sizes in cells, from the grid's (a honeycomb has an odd number of columns).
HexRules MakeRules(const HexRules::Layout& layout, int gridMaxX, int gridMaxY) {
    return HexRules(layout, (gridMaxX - 2) / 4, gridMaxY / 4, gridMaxX, gridMaxY);
}

void CheckShape(int gridMaxX, int gridMaxY, const PathSteps& pathSteps, int cellsX, int cellsY) {
    assert(cellsX >= 1 && cellsX % 2 == 1 && cellsY >= (cellsX > 1 ? 2 : 1));
    assert(gridMaxX == 4 * cellsX + 2 && gridMaxY == 4 * cellsY);
    assert(pathSteps.size() >= static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY) - cellsX / 2);
    (void)gridMaxX, (void)gridMaxY, (void)pathSteps, (void)cellsX, (void)cellsY;
}

class HexTrial : public detail::TrialRunner {
public:
    HexTrial(const HexRules::Layout& layout, const HexRules& rules, size_t stackSize)
        : steps_(stackSize), carver_(layout, rules, steps_.data(), stackSize) {}
    MazeMeasures Run(const SeedDigits& seed) override { return carver_(seed); }

private:
    PathSteps steps_;
    Carver carver_;
};

class CallerTrial : public detail::TrialRunner {
public:
    explicit CallerTrial(Carver& carver) : carver_(carver) {}
    MazeMeasures Run(const SeedDigits& seed) override { return carver_(seed); }

private:
    Carver& carver_;
};

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
    CheckShape(gridMaxX, gridMaxY, pathSteps, cellsX, cellsY);
    const auto layout = MakeLayout(hexStepX, hexStepY, gridMaxX, gridMaxY);
    Carver carver(layout, HexRules(layout, cellsX, cellsY, gridMaxX, gridMaxY), pathSteps.data(), pathSteps.size());
    const int draws = carver.Carve<true>(seed);
    carver.CopyOut(mazeGrid);
    return draws;
}

MazeMeasures SolveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, PathSteps& pathSteps,
                          ByteGrid& mazeGrid, int gridMaxX, int gridMaxY) {
    const auto layout = MakeLayout(hexStepX, hexStepY, gridMaxX, gridMaxY);
    Carver carver(layout, MakeRules(layout, gridMaxX, gridMaxY), pathSteps.data(), pathSteps.size());
    carver.CopyIn(mazeGrid);
    const MazeMeasures m = carver.Solve();
    carver.CopyOut(mazeGrid);
    return m;
}

GenerationReport GenerateHexMaze(const MixTable& mixTableA, const MixTable& mixTableB, const HexStepTable& hexStepX,
                                 const HexStepTable& hexStepY, const Clock& clock, std::string_view seedText,
                                 ByteGrid& mazeGrid, int gridMaxX, int gridMaxY, PathSteps& pathSteps,
                                 int cellCount, int cellsX, int cellsY, double budget, int threads) {
    CheckShape(gridMaxX, gridMaxY, pathSteps, cellsX, cellsY);
    const auto layout = MakeLayout(hexStepX, hexStepY, gridMaxX, gridMaxY);
    const HexRules rules(layout, cellsX, cellsY, gridMaxX, gridMaxY);
    Carver carver(layout, rules, pathSteps.data(), pathSteps.size());
    CallerTrial own(carver);
    const size_t stackSize = pathSteps.size();
    GenerationReport report = detail::ChooseBestCandidate(
        mixTableA, mixTableB, clock, seedText, cellCount, 4 * cellCount + 1, budget, threads, own,
        [&] { return std::make_unique<HexTrial>(layout, rules, stackSize); },
        layout.Size() + stackSize * (sizeof(PathStep) + sizeof(int)));
    // Whatever the trials left deeper in the stack goes, so that the steps, like the grid, depend
    // on the chosen seed alone and not on which thread carved what.
    std::fill(pathSteps.begin(), pathSteps.end(), PathStep{});
    report.draws = carver.Carve<true>(report.bestDigits);
    report.measures = carver.Solve();
    carver.CopyOut(mazeGrid);
    return report;
}

}  // namespace quivra
