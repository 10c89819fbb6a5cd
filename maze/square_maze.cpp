#include "maze/square_maze.h"

#include <algorithm>
#include <cassert>

#include "maze/candidate_search.h"
#include "maze/maze_engine.h"

namespace quivra {

namespace {

struct SquareRules {
    static constexpr int kSlots = kSquareDirections;
    static constexpr int kOrders = kSquareOrders;
    static constexpr int kModulus = 29;
    using Layout = detail::MazeLayout<kSlots, kOrders>;

    int cellsX, cellsY;
    int entrance, exit, first, last;

    SquareRules(const Layout& l, int cx, int cy, int gridMaxX, int gridMaxY)
        : cellsX(cx),
          cellsY(cy),
          entrance(l.Index(0, 1)),
          exit(l.Index(gridMaxY, gridMaxX - 1)),
          first(l.Index(1, 1)),
          last(l.Index(gridMaxY - 1, gridMaxX - 1)) {}

    template <class Reg>
    int StartCell(Reg& reg, const Layout& l) const {
        auto pick = [&reg](int n) {
            const int r1 = reg.Next();
            const int r2 = reg.Next();
            const int r3 = reg.Next();
            return ((r1 * kModulus + r2) * kModulus + r3) % n;
        };
        const int x = 2 * pick(cellsX) + 1;
        const int y = 2 * pick(cellsY) + 1;
        return l.Index(y, x);
    }
};

using Carver = detail::MazeCarver<SquareRules>;

SquareRules::Layout MakeLayout(const SquareStepTable& stepX, const SquareStepTable& stepY, int gridMaxX,
                               int gridMaxY) {
    return SquareRules::Layout(stepX, stepY, gridMaxX, gridMaxY, [](int, int) { return uint8_t{0}; });
}

// One search thread's carver with a stack of its own.
class SquareTrial : public detail::TrialRunner {
public:
    SquareTrial(const SquareRules::Layout& layout, const SquareRules& rules, size_t stackSize)
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

int CarveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, ByteGrid& mazeGrid, int gridMaxX,
                    int gridMaxY, PathSteps& pathSteps, int cellsX, int cellsY, const SeedDigits& seed) {
    assert(cellsX >= 1 && cellsY >= 1 && gridMaxX == 2 * cellsX && gridMaxY == 2 * cellsY);
    assert(pathSteps.size() >= static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY));
    const auto layout = MakeLayout(stepX, stepY, gridMaxX, gridMaxY);
    Carver carver(layout, SquareRules(layout, cellsX, cellsY, gridMaxX, gridMaxY), pathSteps.data(), pathSteps.size());
    const int draws = carver.Carve<true>(seed);
    carver.CopyOut(mazeGrid);
    return draws;
}

MazeMeasures SolveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, PathSteps& pathSteps,
                             ByteGrid& mazeGrid, int gridMaxX, int gridMaxY) {
    const auto layout = MakeLayout(stepX, stepY, gridMaxX, gridMaxY);
    const SquareRules rules(layout, gridMaxX / 2, gridMaxY / 2, gridMaxX, gridMaxY);
    Carver carver(layout, rules, pathSteps.data(), pathSteps.size());
    carver.CopyIn(mazeGrid);
    const MazeMeasures m = carver.Solve();
    carver.CopyOut(mazeGrid);
    return m;
}

GenerationReport GenerateSquareMaze(const MixTable& mixTableA, const MixTable& mixTableB,
                                    const SquareStepTable& stepX, const SquareStepTable& stepY, const Clock& clock,
                                    std::string_view seedText, ByteGrid& mazeGrid, int gridMaxX, int gridMaxY,
                                    PathSteps& pathSteps, int cellCount, int cellsX, int cellsY, double budget,
                                    int threads) {
    assert(cellsX >= 1 && cellsY >= 1 && gridMaxX == 2 * cellsX && gridMaxY == 2 * cellsY);
    assert(pathSteps.size() >= static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY));
    const auto layout = MakeLayout(stepX, stepY, gridMaxX, gridMaxY);
    const SquareRules rules(layout, cellsX, cellsY, gridMaxX, gridMaxY);
    Carver carver(layout, rules, pathSteps.data(), pathSteps.size());
    CallerTrial own(carver);
    const size_t stackSize = pathSteps.size();
    GenerationReport report = detail::ChooseBestCandidate(
        mixTableA, mixTableB, clock, seedText, cellCount, 2 * cellCount + 1, budget, threads, own,
        [&] { return std::make_unique<SquareTrial>(layout, rules, stackSize); },
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
