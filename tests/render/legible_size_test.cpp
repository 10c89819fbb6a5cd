// SPDX-License-Identifier: GPL-3.0-or-later
// How wide the overview draws cells, worked by hand from the view's set-up at 45 degrees.
#include <gtest/gtest.h>

#include "render/legible_size.h"

namespace quivra {
namespace {

struct CellCase {
    MazeStyle style;
    int cellsX, cellsY, width, height;
    double pixels;   // (right - left) / cellsX at half the depth, each side floored to its pixel
};

// E.g. 15 x 10 squares in 383 x 279: the scene is 15.25 units wide, scaleX = 382 / 17.5519, the
// middle row's factor 15.25 / (15.25 + 5.125 cos 45) = 0.80799, so x runs from 56 to 325.
const CellCase kCells[] = {
    {MazeStyle::Square, 15, 10, 383, 279, 269.0 / 15},
    {MazeStyle::Honeycomb, 21, 13, 383, 279, 287.0 / 21},
    {MazeStyle::Square, 120, 80, 383, 279, 303.0 / 120},
    {MazeStyle::Square, 60, 40, 383, 279, 299.0 / 60},
    {MazeStyle::Square, 120, 80, 1817, 1004, 1445.0 / 120},
};

TEST(LegibleSize, TheOverviewsCellsAcrossHalfWayIntoTheDepth) {
    for (const CellCase& c : kCells) {
        const MazeShape shape = MazeShape::Of(c.style, c.cellsX, c.cellsY);
        EXPECT_NEAR(SceneCellPixels(shape, 45, c.width, c.height), c.pixels, 1e-9) << c.cellsX << " x " << c.cellsY;
    }
}

TEST(LegibleSize, TheAreaGrowsInItsProportionsUntilCellsAreTwelvePixels) {
    const MazeShape small = MazeShape::Of(MazeStyle::Square, 15, 10);
    EXPECT_EQ(LegibleDrawArea(small, 45, {383, 279}, 12), (DrawArea{383, 279}));
    // 60 x 40 squares draw 4.98 pixels a cell: by hand, 922 x 672 is the smallest area of the same
    // proportions with 12 (a pixel or two more may come from rounding each side up).
    const DrawArea grown = LegibleDrawArea(MazeShape::Of(MazeStyle::Square, 60, 40), 45, {383, 279}, 12);
    EXPECT_GE(grown.width, 922);
    EXPECT_LE(grown.width, 924);
    EXPECT_NEAR(grown.height, 672, 2);
}

}  // namespace
}  // namespace quivra
