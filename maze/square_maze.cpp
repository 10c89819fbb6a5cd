// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/square_maze.h"

#include "maze/style_generator.h"

namespace quivra {

namespace {

struct SquareRules {
    static constexpr MazeStyle kStyle = MazeStyle::Square;
    static constexpr int kSlots = kSquareDirections;
    static constexpr int kOrders = kSquareOrders;
    static constexpr int kModulus = 29;
    static constexpr int kFirstContactsPerCell = 2;
    using Layout = detail::MazeLayout<kSlots, kOrders>;

    int cellsX, cellsY;
    int entrance, exit, first, last;

    SquareRules(const Layout& l, const MazeShape& shape)
        : cellsX(shape.cellsX),
          cellsY(shape.cellsY),
          entrance(l.Index(0, 1)),
          exit(l.Index(shape.gridMaxY, shape.gridMaxX - 1)),
          first(l.Index(1, 1)),
          last(l.Index(shape.gridMaxY - 1, shape.gridMaxX - 1)) {}

    static bool ValidCells(int cx, int cy) { return cx >= 1 && cy >= 1; }
    static uint8_t RasterCode(int, int, const MazeShape&) { return 0; }

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

using Square = detail::StyleGenerator<SquareRules>;

}  // namespace

int CarveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, ByteGrid& mazeGrid,
                    const MazeShape& shape, PathSteps& pathSteps, const SeedDigits& seed) {
    return Square::Carve(stepX, stepY, mazeGrid, shape, pathSteps, seed);
}

MazeMeasures SolveSquareMaze(const SquareStepTable& stepX, const SquareStepTable& stepY, PathSteps& pathSteps,
                             ByteGrid& mazeGrid, const MazeShape& shape) {
    return Square::Solve(stepX, stepY, pathSteps, mazeGrid, shape);
}

GenerationReport GenerateSquareMaze(const MixTable& mixTableA, const MixTable& mixTableB,
                                    const SquareStepTable& stepX, const SquareStepTable& stepY, const Clock& clock,
                                    std::string_view seedText, ByteGrid& mazeGrid, const MazeShape& shape,
                                    PathSteps& pathSteps, double budget, int threads) {
    return Square::Generate(mixTableA, mixTableB, stepX, stepY, clock, seedText, mazeGrid, shape, pathSteps, budget,
                            threads);
}

}  // namespace quivra
