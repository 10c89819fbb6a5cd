// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/hex_maze.h"

#include "maze/style_generator.h"

namespace quivra {

namespace {

struct HexRules {
    static constexpr MazeStyle kStyle = MazeStyle::Honeycomb;
    static constexpr int kSlots = kHexDirections;
    static constexpr int kOrders = kHexOrders;
    static constexpr int kModulus = 727;
    static constexpr int kFirstContactsPerCell = 4;
    using Layout = detail::MazeLayout<kSlots, kOrders>;

    int cellsX, cellsY;
    int entrance, exit, first, last;

    HexRules(const Layout& l, const MazeShape& shape)
        : cellsX(shape.cellsX),
          cellsY(shape.cellsY),
          entrance(l.Index(0, 3)),
          exit(l.Index(shape.gridMaxY, shape.gridMaxX - 3)),
          first(l.Index(2, 3)),
          last(l.Index(shape.gridMaxY - 2, shape.gridMaxX - 3)) {}

    static bool ValidCells(int cx, int cy) { return cx >= 1 && cx % 2 == 1 && cy >= (cx > 1 ? 2 : 1); }
    static uint8_t RasterCode(int y, int x, const MazeShape& shape) { return HexRasterCode(y, x, shape.gridMaxY); }

    template <class Reg>
    int StartCell(Reg& reg, const Layout& l) const {
        const int col = reg.Next() % cellsX;
        const int r2 = reg.Next();
        const int y = col % 2 == 1 ? 4 * (r2 % (cellsY - 1)) + 4 : 4 * (r2 % cellsY) + 2;
        return l.Index(y, 4 * col + 3);
    }
};

using Honeycomb = detail::StyleGenerator<HexRules>;

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

int CarveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, ByteGrid& mazeGrid,
                 const MazeShape& shape, PathSteps& pathSteps, const SeedDigits& seed) {
    return Honeycomb::Carve(hexStepX, hexStepY, mazeGrid, shape, pathSteps, seed);
}

MazeMeasures SolveHexMaze(const HexStepTable& hexStepX, const HexStepTable& hexStepY, PathSteps& pathSteps,
                          ByteGrid& mazeGrid, const MazeShape& shape) {
    return Honeycomb::Solve(hexStepX, hexStepY, pathSteps, mazeGrid, shape);
}

GenerationReport GenerateHexMaze(const MixTable& mixTableA, const MixTable& mixTableB, const HexStepTable& hexStepX,
                                 const HexStepTable& hexStepY, const Clock& clock, std::string_view seedText,
                                 ByteGrid& mazeGrid, const MazeShape& shape, PathSteps& pathSteps, double budget,
                                 int threads) {
    return Honeycomb::Generate(mixTableA, mixTableB, hexStepX, hexStepY, clock, seedText, mazeGrid, shape, pathSteps,
                               budget, threads);
}

}  // namespace quivra
