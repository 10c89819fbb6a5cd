// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/pick.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/hex_scene.h"

namespace quivra {

namespace {

constexpr double kWallHeight = 2;
constexpr double kWall = 0.25;

// A wall's footprint: a quad, or a triangle with its last corner repeated.
using Footprint = std::array<ScenePoint, 4>;

struct Box {
    double left, top, right, bottom;
    bool Meets(const Footprint& f) const {
        double l = f[0].X, r = f[0].X, t = f[0].Y, b = f[0].Y;
        for (const ScenePoint& p : f) {
            l = std::min(l, p.X);
            r = std::max(r, p.X);
            t = std::min(t, p.Y);
            b = std::max(b, p.Y);
        }
        return l <= right && r >= left && t <= bottom && b >= top;
    }
};

bool Inside(const Footprint& f, ScenePoint p) {
    bool in = false;
    for (size_t i = 0, j = f.size() - 1; i < f.size(); j = i++) {
        if ((f[i].Y > p.Y) != (f[j].Y > p.Y) &&
            p.X < (f[j].X - f[i].X) * (p.Y - f[i].Y) / (f[j].Y - f[i].Y) + f[i].X) {
            in = !in;
        }
    }
    return in;
}

double Cross(ScenePoint o, ScenePoint a, ScenePoint b) { return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X); }

bool SegmentsCross(ScenePoint a, ScenePoint b, ScenePoint c, ScenePoint d) {
    const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

// Whether the line of sight from a (wall height) down to b (floor) passes through the wall.
bool Blocks(const Footprint& f, ScenePoint a, ScenePoint b) {
    if (Inside(f, a) || Inside(f, b)) return true;
    for (size_t i = 0, j = f.size() - 1; i < f.size(); j = i++) {
        if (SegmentsCross(a, b, f[j], f[i])) return true;
    }
    return false;
}

// The square walls stand in the grid's even places: a place 2k spans [k, k + kWall) along its
// axis, a place 2k + 1 spans [k + kWall, k + 1).
void SquareWalls(const Game& g, const Box& box, std::vector<Footprint>& out) {
    const auto places = [](double from, double to, int maxPlace) {
        const int first = std::clamp(2 * static_cast<int>(std::floor(from)) - 1, 0, maxPlace);
        const int last = std::clamp(2 * static_cast<int>(std::floor(to)) + 2, 0, maxPlace);
        return std::pair{first, last};
    };
    const auto span = [](int place) {
        const double k = place / 2;
        return place % 2 == 0 ? std::pair{k, k + kWall} : std::pair{k + kWall, k + 1};
    };
    const auto [x0, x1] = places(box.left, box.right, g.maze().gridMaxX);
    const auto [y0, y1] = places(box.top, box.bottom, g.maze().gridMaxY);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if ((x % 2 == 1 && y % 2 == 1) || g.maze().mazeGrid(y, x) != 0) continue;
            const auto [l, r] = span(x);
            const auto [t, b] = span(y);
            out.push_back({{{l, t}, {r, t}, {r, b}, {l, b}}});
        }
    }
}

// The honeycomb's pieces as its wall stage raises them, for the grid rows whose pieces can reach
// the box (a row's pieces lie within one cell height of its column pairs' top).
class CollectingSink final : public HexWallSink {
public:
    CollectingSink(const Box& box, std::vector<Footprint>& out) : box_(box), out_(out) {}
    void Joint(const Triangle& t, bool, int) override { Keep({t[0], t[1], t[2], t[2]}); }
    void Segment(const Quad& q, int) override { Keep(q); }

private:
    void Keep(const Footprint& f) {
        if (box_.Meets(f)) out_.push_back(f);
    }
    const Box& box_;
    std::vector<Footprint>& out_;
};

void HexWalls(const Game& g, const SceneState& s, const Box& box, std::vector<Footprint>& out) {
    const double r = g.tables().sqrtThree;
    if (!(r > 0)) return;
    SceneState work = s;
    CollectingSink sink(box, out);
    const int firstBand = std::max(0, static_cast<int>(std::floor(box.top / r)) - 2);
    const int lastBand = std::min(g.maze().gridMaxY / 4, static_cast<int>(std::floor(box.bottom / r)) + 1);
    for (int band = firstBand; band <= lastBand; ++band) {
        for (int pass = 0; pass < 4 && 4 * band + pass <= g.maze().gridMaxY; ++pass) {
            work.draw.drawRow = 4 * band + pass;
            work.draw.drawPass = static_cast<uint8_t>(pass);
            work.draw.rowOffset = band * r;
            RaiseHexWalls(g, work, sink);
        }
    }
}

}  // namespace

std::optional<GridCell> PickCell(const Game& g, const SceneState& s, double x, double y, double ratio,
                                 int drawHeight) {
    if (!g.HasMaze()) return std::nullopt;
    const std::optional<ScenePoint> top = PlanePointAt(x, y, kWallHeight, ratio, s.View(), drawHeight);
    const std::optional<ScenePoint> floor = PlanePointAt(x, y, 0, ratio, s.View(), drawHeight);
    if (!top || !floor) return std::nullopt;
    // Far off the scene (near the horizon) nothing is drawn to pick.
    const double limit = 4 * (s.view.sceneWidth + s.view.sceneDepth) + 8;
    for (const ScenePoint& p : {*top, *floor}) {
        if (!(std::fabs(p.X) < limit) || !(std::fabs(p.Y) < limit)) return std::nullopt;
    }
    // Nothing stands above the walls' height, so whatever lies in that plane is seen; no wall
    // reaches into a cell's outline there.
    const MazeShape shape = MazeShape::Of(g.style(), g.maze().cellsX, g.maze().cellsY);
    if (const std::optional<GridCell> cell = CellAt(shape, *top)) return cell;
    const Box box{std::min(top->X, floor->X) - kWall, std::min(top->Y, floor->Y) - kWall,
                  std::max(top->X, floor->X) + kWall, std::max(top->Y, floor->Y) + kWall};
    std::vector<Footprint> walls;
    if (g.style() == MazeStyle::Honeycomb) {
        HexWalls(g, s, box, walls);
    } else {
        SquareWalls(g, box, walls);
    }
    // Below it the line of sight ends on a wall's top or face, or on the floor.
    for (const Footprint& f : walls) {
        if (Blocks(f, *top, *floor)) return std::nullopt;
    }
    return CellAt(shape, *floor);
}

}  // namespace quivra
