// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to maze/: what both styles' carve, solve and generate functions do around the carver.
// A style brings its Rules (see maze_engine.h) and, for these wrappers, also kStyle,
// kFirstContactsPerCell, a constructor from the layout and the shape, RasterCode(y, x, shape)
// for the raster before carving, and ValidCells(cellsX, cellsY).
#include <algorithm>
#include <cassert>
#include <memory>
#include <string_view>

#include "maze/candidate_search.h"
#include "maze/maze_engine.h"
#include "maze/maze_shape.h"

namespace quivra::detail {

template <class Rules>
struct StyleGenerator {
    using Layout = MazeLayout<Rules::kSlots, Rules::kOrders>;
    using Steps = StepTable<Rules::kSlots, Rules::kOrders>;
    using Carver = MazeCarver<Rules>;

    static void CheckShape(const MazeShape& shape, const PathSteps& pathSteps) {
        assert(Rules::ValidCells(shape.cellsX, shape.cellsY));
        assert(shape == MazeShape::Of(Rules::kStyle, shape.cellsX, shape.cellsY));
        assert(pathSteps.size() >= static_cast<size_t>(shape.cellCount));
        (void)shape, (void)pathSteps;
    }

    static Layout MakeLayout(const Steps& stepX, const Steps& stepY, const MazeShape& shape) {
        return Layout(stepX, stepY, shape.gridMaxX, shape.gridMaxY,
                      [&shape](int y, int x) { return Rules::RasterCode(y, x, shape); });
    }

    // One search thread's carver with a stack of its own.
    class OwnTrial : public TrialRunner {
    public:
        OwnTrial(const Layout& layout, const Rules& rules, size_t stackSize)
            : steps_(stackSize), carver_(layout, rules, steps_.data(), stackSize) {}
        MazeMeasures Run(const SeedDigits& seed) override { return carver_(seed); }

    private:
        PathSteps steps_;
        Carver carver_;
    };

    // The calling thread's trials, on the carver that carves the chosen seed at the end.
    class CallerTrial : public TrialRunner {
    public:
        explicit CallerTrial(Carver& carver) : carver_(carver) {}
        MazeMeasures Run(const SeedDigits& seed) override { return carver_(seed); }

    private:
        Carver& carver_;
    };

    static int Carve(const Steps& stepX, const Steps& stepY, ByteGrid& mazeGrid, const MazeShape& shape,
                     PathSteps& pathSteps, const SeedDigits& seed) {
        CheckShape(shape, pathSteps);
        const auto layout = MakeLayout(stepX, stepY, shape);
        Carver carver(layout, Rules(layout, shape), pathSteps.data(), pathSteps.size());
        const int draws = carver.template Carve<true>(seed);
        carver.CopyOut(mazeGrid);
        return draws;
    }

    static MazeMeasures Solve(const Steps& stepX, const Steps& stepY, PathSteps& pathSteps, ByteGrid& mazeGrid,
                              const MazeShape& shape) {
        const auto layout = MakeLayout(stepX, stepY, shape);
        Carver carver(layout, Rules(layout, shape), pathSteps.data(), pathSteps.size());
        carver.CopyIn(mazeGrid);
        const MazeMeasures m = carver.Solve();
        carver.CopyOut(mazeGrid);
        return m;
    }

    static GenerationReport Generate(const MixTable& mixTableA, const MixTable& mixTableB, const Steps& stepX,
                                     const Steps& stepY, const Clock& clock, std::string_view seedText,
                                     ByteGrid& mazeGrid, const MazeShape& shape, PathSteps& pathSteps, double budget,
                                     int threads) {
        CheckShape(shape, pathSteps);
        const auto layout = MakeLayout(stepX, stepY, shape);
        const Rules rules(layout, shape);
        Carver carver(layout, rules, pathSteps.data(), pathSteps.size());
        CallerTrial own(carver);
        const size_t stackSize = pathSteps.size();
        GenerationReport report = ChooseBestCandidate(
            mixTableA, mixTableB, clock, seedText, shape.cellCount,
            Rules::kFirstContactsPerCell * shape.cellCount + 1, budget, threads, own,
            [&] { return std::make_unique<OwnTrial>(layout, rules, stackSize); },
            layout.Size() + stackSize * (sizeof(PathStep) + sizeof(int)));
        // Whatever the trials left deeper in the stack goes, so that the steps, like the grid, depend
        // on the chosen seed alone and not on which thread carved what.
        std::fill(pathSteps.begin(), pathSteps.end(), PathStep{});
        report.draws = carver.template Carve<true>(report.bestDigits);
        report.measures = carver.Solve();
        carver.CopyOut(mazeGrid);
        return report;
    }
};

}  // namespace quivra::detail
