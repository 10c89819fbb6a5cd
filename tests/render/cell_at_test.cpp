// SPDX-License-Identifier: GPL-3.0-or-later
// Window point to maze cell: the projection turned back onto the floor, then the style's cell
// lookup. Every expected cell is one whose centre was projected forward to find the point.
#include "render/cell_at.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

#include "render/hex_scene.h"

namespace quivra {
namespace {

const double kR = std::sqrt(3.0);

// A floor point and the cell it lies in (none for a wall's place or off the floor).
struct Probe {
    double x, y;
    std::optional<GridCell> cell;
};

// Floor points read off the scene builders: the square's cell (1, 1) is centred at 0.625, a unit per
// cell, walls 0.25 wide from each whole unit; the honeycomb's start cell (3, 2) at (1, sqrt 3 / 2),
// its neighbour down-right (7, 4) at (2.5, sqrt 3) and the one below (3, 6) at (1, 3 sqrt 3 / 2).
const std::vector<Probe> kSquareProbes = {
    {0.625, 0.625, GridCell{1, 1}},   {2.625, 1.625, GridCell{5, 3}},  {8.7, 5.3, GridCell{17, 11}},
    {9.625, 7.625, GridCell{19, 15}}, {1.125, 0.625, std::nullopt},    {4.6, 3.1, std::nullopt},
    {-0.5, 2.6, std::nullopt},        {10.5, 2.6, std::nullopt},       {3.6, 8.2, std::nullopt},
};
const std::vector<Probe> kHexProbes = {
    {1.0, kR / 2, GridCell{3, 2}},          {2.5, kR, GridCell{7, 4}},
    {1.0, 1.5 * kR, GridCell{3, 6}},        {4.0, kR / 2, GridCell{11, 2}},
    {1.3, kR / 2 + 0.3, GridCell{3, 2}},    {1.75, 3 * kR / 4, std::nullopt},   // on the edge between them
    {1.0, kR, std::nullopt},                // where (3, 2) and (3, 6) meet
    {1.0, 0.1, std::nullopt},               // in the top wall of the first row
    {-1.0, kR, std::nullopt},               {1.0, 30.0, std::nullopt},
};

struct View {
    const char* name;
    double tilt;
    int logicalWidth, logicalHeight;
    double ratio;
};

void PrintTo(const View& v, std::ostream* os) { *os << v.name; }

const View kViews[] = {
    {"tilt45_small", 45, 400, 300, 1.0}, {"tilt30_wide", 30, 1280, 600, 1.0}, {"tilt60_tall", 60, 500, 700, 1.0},
    {"tilt45_ratio2", 45, 640, 480, 2.0}, {"tilt33_ratio1_5", 33, 900, 520, 1.5},
};

class WindowPointToCell : public ::testing::TestWithParam<View> {
protected:
    // Projects each probe onto the window at the view under test, takes the logical pixel it lands in,
    // and looks the cell up from there.
    void Check(const MazeShape& shape, double sceneWidth, double sceneDepth, const std::vector<Probe>& probes) {
        const View& v = GetParam();
        const int wpx = static_cast<int>(v.logicalWidth * v.ratio);
        const int hpx = static_cast<int>(v.logicalHeight * v.ratio);
        const ViewParams view = SetupView(v.tilt, sceneWidth, sceneDepth, wpx, hpx);
        for (const Probe& probe : probes) {
            const POINT device = ProjectPoint(probe.x, probe.y, 0, view, hpx);
            const double lx = std::floor(device.x / v.ratio);
            const double ly = std::floor(device.y / v.ratio);
            const std::optional<ScenePoint> floor = FloorPointAt(lx, ly, v.ratio, view, hpx);
            const std::optional<GridCell> cell = floor ? CellAt(shape, *floor) : std::nullopt;
            EXPECT_EQ(cell, probe.cell) << "floor point " << probe.x << "," << probe.y << " shown at " << lx << ","
                                        << ly;
        }
    }
};

TEST_P(WindowPointToCell, Square) {
    const MazeShape shape = MazeShape::Square(10, 8);
    Check(shape, 10.25, 8.25, kSquareProbes);
}

TEST_P(WindowPointToCell, Honeycomb) {
    const MazeShape shape = MazeShape::Honeycomb(9, 6);
    Check(shape, HexSceneWidth(9, kR), HexSceneDepth(6, kR), kHexProbes);
}

INSTANTIATE_TEST_SUITE_P(Views, WindowPointToCell, ::testing::ValuesIn(kViews),
                         [](const ::testing::TestParamInfo<View>& v) { return v.param.name; });

TEST(FloorPointAt, NothingAboveTheHorizonOrWithoutAView) {
    const ViewParams view = SetupView(45, 10.25, 8.25, 641, 481);
    EXPECT_FALSE(FloorPointAt(300, -5000, 1.0, view, 481));
    EXPECT_FALSE(FloorPointAt(300, 200, 1.0, ViewParams{}, 481));
}

}  // namespace
}  // namespace quivra
