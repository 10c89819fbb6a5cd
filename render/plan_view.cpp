// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/plan_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quivra {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kMark = RGB(96, 96, 96);   // not black, so the walls stay the only black
// Light enough to stay apart from the black walls when printed in grey (about 55% grey).
constexpr COLORREF kPathInk = RGB(255, 72, 72);
constexpr COLORREF kPlayerInk = RGB(0, 0, 200);   // apart from the trail's green and yellow and the path's red

struct Point {
    double x, y;
};

// Both styles map raster positions (cells, wall slots) linearly to the plane, as their tables
// say. A wall is the edge through its slot, across the direction from the cell's centre.
struct Layout {
    const StyleRules& rules;
    const FixedTables& tables;
    int gridMaxX, gridMaxY;
    double scale, left, top;   // pixels per unit and where unit (0, 0) lands
    // Zoomed in, cells further than a cell outside the picture's width x height are left out.
    bool cull = false;
    int width = 0, height = 0;

    int directions() const { return rules.directions; }
    int StepX(int d) const { return rules.stepX(tables, d); }
    int StepY(int d) const { return rules.stepY(tables, d); }
    POINT Pixel(PlanPoint p) const {
        return {static_cast<int32_t>(std::lround(left + p.x * scale)), static_cast<int32_t>(std::lround(top + p.y * scale))};
    }
    POINT At(int gy, int gx) const { return Pixel(rules.planPoint(gy, gx)); }
    // The wall between cell (gy, gx) and its neighbour in direction d.
    void Edge(int gy, int gx, int d, POINT& a, POINT& b) const {
        const PlanPoint c = rules.planPoint(gy, gx), m = rules.planPoint(gy + StepY(d), gx + StepX(d));
        const double k = rules.planHalfEdge;
        const double px = -(m.y - c.y) * k, py = (m.x - c.x) * k;
        a = Pixel({m.x - px, m.y - py});
        b = Pixel({m.x + px, m.y + py});
    }
    template <class Fn>
    void ForEachCell(Fn fn) const {
        for (int y = rules.firstCellY; y < gridMaxY; y += rules.cellStepY)
            for (int x = rules.firstCellX(y); x < gridMaxX; x += rules.cellStepX) {
                if (cull && !Near(y, x)) continue;
                fn(y, x);
            }
    }
    bool Near(int gy, int gx) const {
        const PlanPoint p = rules.planPoint(gy, gx);
        const double x = left + p.x * scale, y = top + p.y * scale, reach = 2 * scale * rules.planCell;
        return x > -reach && y > -reach && x < width + reach && y < height + reach;
    }
};

Layout MakeLayout(const Game& g, const PlanOptions& o) {
    Layout l{g.Rules(), g.tables(), g.maze().gridMaxX, g.maze().gridMaxY, 0, 0, 0};
    const PlanExtent e = PlanExtentOf(g.style(), g.maze().cellsX, g.maze().cellsY);
    const double width = e.width - e.cell, depth = e.height - 3 * e.cell;
    l.scale = std::max(1.0, std::min(o.width / e.width, o.height / e.height));
    l.left = std::round((o.width - width * l.scale) / 2);
    l.top = std::round((o.height - depth * l.scale) / 2);
    if (o.zoom.Zoomed()) {
        // Scaled about the zoom's centre, which lands in the middle of the picture.
        const double f = ZoomFactor(o.zoom.level);
        l.left = (l.left - o.zoom.centre.x) * f + o.width / 2.0;
        l.top = (l.top - o.zoom.centre.y) * f + o.height / 2.0;
        l.scale *= f;
        l.cull = true;
        l.width = o.width;
        l.height = o.height;
    }
    return l;
}

class Pen {
public:
    Pen(DeviceContext& dc, int width, COLORREF colour) : dc_(dc), pen_(dc.CreatePen(PS_SOLID, width, colour)) {
        previous_ = dc_.SelectObject(pen_);
    }
    ~Pen() {
        if (previous_ != 0) dc_.SelectObject(previous_);
        dc_.DeleteObject(pen_);
    }
    void Line(POINT a, POINT b) {
        dc_.MoveToEx(a.x, a.y, nullptr);
        dc_.LineTo(b.x, b.y);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

private:
    DeviceContext& dc_;
    HPEN pen_;
    HGDIOBJ previous_ = 0;
};

void Fill(DeviceContext& dc, const POINT* points, int count, COLORREF colour) {
    const HRGN region = dc.CreatePolygonRgn(points, count, ALTERNATE);
    const HBRUSH brush = dc.CreateSolidBrush(colour);
    dc.FillRgn(region, brush);
    dc.DeleteObject(brush);
    dc.DeleteObject(region);
}

// A triangle pointing down, centred on x, between the rows top and bottom.
void Arrow(DeviceContext& dc, int x, int top, int bottom, int halfWidth) {
    const POINT corners[3] = {{x - halfWidth, top}, {x + halfWidth, top}, {x, bottom}};
    Fill(dc, corners, 3, kMark);
}

// The correct path's cells from the entrance to the exit; the first and last points are the
// openings in the outer wall.
std::vector<POINT> SolutionLine(const Layout& l, const CorrectPath& path) {
    std::vector<POINT> points;
    if (path.cells.empty()) return points;
    points.push_back(l.At(0, path.cells.front().x));
    for (const Cell& c : path.cells) points.push_back(l.At(c.y, c.x));
    if (path.ReachesExit()) {
        const Cell& last = path.cells.back();
        const int d = path.directions.back();
        points.push_back(l.At(last.y + l.StepY(d), last.x + l.StepX(d)));
    }
    return points;
}

}  // namespace

PlanExtent PlanExtentOf(MazeStyle style, int cellsX, int cellsY) {
    // The maze with room for the marks above and below, and a margin of half a cell each side.
    const StyleRules& rules = RulesOf(style);
    const double cell = rules.planCell;
    const double width = rules.planWidth(cellsX);
    const double depth = rules.planPoint(MazeShape::Of(style, cellsX, cellsY).gridMaxY, 0).y;
    return {width + cell, depth + 3 * cell, cell};
}

int PlanWallWidth(double scale, double unitsPerMillimetre) {
    const int thin = std::max(2, static_cast<int>(scale / 8) & ~1);
    if (unitsPerMillimetre <= 0) return thin;
    // A fifth of the cell, up to 0.4 mm: a copy of a copy still shows it.
    const double paper = std::min(0.4 * unitsPerMillimetre, scale / 5);
    return std::max(thin, static_cast<int>(paper) & ~1);
}

int PlanPathWidth(double scale, double cell, double unitsPerMillimetre) {
    const int half = std::max(1, PlanWallWidth(scale, unitsPerMillimetre) / 2);
    if (unitsPerMillimetre <= 0) return half;
    return std::max(half, static_cast<int>(std::ceil(std::min(0.6 * unitsPerMillimetre, scale * cell / 3))));
}

PlanOpenings PlanOpeningsOf(const Game& s, const PlanOptions& o) {
    PlanOpenings openings;
    const ByteGrid& grid = s.maze().mazeGrid;
    if (!s.HasMaze() || grid.MaxX() != s.maze().gridMaxX || grid.MaxY() != s.maze().gridMaxY) return openings;
    const Layout l = MakeLayout(s, o);
    bool in = false, out = false;
    for (int x = 0; x <= l.gridMaxX; ++x) {
        if (grid(0, x) == 1 && !in) openings.entrance = l.At(0, x), in = true;
        if (grid(l.gridMaxY, x) == 1 && !out) openings.exit = l.At(l.gridMaxY, x), out = true;
    }
    openings.wall = PlanWallWidth(l.scale, o.unitsPerMillimetre);
    openings.found = in && out;
    return openings;
}

void DrawPlan(DeviceContext& dc, const Game& s, const PlanOptions& o) {
    const POINT page[4] = {{0, 0}, {o.width, 0}, {o.width, o.height}, {0, o.height}};
    Fill(dc, page, 4, kWhite);
    const ByteGrid& grid = s.maze().mazeGrid;
    if (!s.HasMaze() || grid.MaxX() != s.maze().gridMaxX || grid.MaxY() != s.maze().gridMaxY) return;
    const Layout l = MakeLayout(s, o);
    // Even widths, so a wall lies evenly over its line; round ends close every corner.
    const int wall = PlanWallWidth(l.scale, o.unitsPerMillimetre);

    {
        Pen pen(dc, wall, kBlack);
        std::vector<bool> drawn(grid.Size());
        l.ForEachCell([&](int y, int x) {
            for (int d = 0; d < l.directions(); ++d) {
                const int sy = y + l.StepY(d), sx = x + l.StepX(d);
                const size_t slot = static_cast<size_t>(sy) * static_cast<size_t>(l.gridMaxX + 1) + static_cast<size_t>(sx);
                if (grid(sy, sx) != 0 || drawn[slot]) continue;
                drawn[slot] = true;
                POINT a, b;
                l.Edge(y, x, d, a, b);
                pen.Line(a, b);
            }
        });
    }

    // The openings: an arrow into the entrance, and one out of the exit standing on a bar, so the
    // two read apart in black and white too.
    const int half = std::max(2, static_cast<int>(l.scale * 0.3));
    const int gap = wall + std::max(1, static_cast<int>(l.scale * 0.15));
    for (int x = 0; x <= l.gridMaxX && o.unitsPerMillimetre <= 0; ++x) {
        if (grid(0, x) == 1) {
            const POINT p = l.At(0, x);
            Arrow(dc, p.x, p.y - gap - 2 * half, p.y - gap, half);
        }
        if (grid(l.gridMaxY, x) == 1) {
            const POINT p = l.At(l.gridMaxY, x);
            const int bar = p.y + gap + 2 * half, thick = std::max(1, half / 3);
            Arrow(dc, p.x, p.y + gap, bar, half);
            const POINT line[4] = {{p.x - half, bar}, {p.x + half, bar}, {p.x + half, bar + thick}, {p.x - half, bar + thick}};
            Fill(dc, line, 4, kMark);
        }
    }

    const int line = std::max(2, wall);
    if (o.trail) {
        // As the game draws it, from the cell to the slot half way, or to the opening.
        const PaletteColors colours = GameColours();
        for (const TrailSegment& t : s.Trail()) {
            const bool opening = t.kind == TrailKind::In || t.kind == TrailKind::Out;
            const Cell slot = opening ? t.to : Cell{(t.from.x + t.to.x) / 2, (t.from.y + t.to.y) / 2};
            Pen pen(dc, line, colours[TrailColour(t.kind)]);
            pen.Line(l.At(t.from.y, t.from.x), l.At(slot.y, slot.x));
        }
    }
    if (o.solution) {
        // Thinner than the walls, so that it never hides one.
        std::vector<POINT> path = SolutionLine(l, s.Path());
        if (!path.empty()) {
            // Out through both openings to the marks, so the way in and out is plain too.
            path.insert(path.begin(), POINT{path.front().x, path.front().y - gap});
            path.push_back(POINT{path.back().x, path.back().y + gap});
        }
        Pen pen(dc, PlanPathWidth(l.scale, l.rules.planCell, o.unitsPerMillimetre), kPathInk);
        for (size_t i = 0; i + 1 < path.size(); ++i) pen.Line(path[i], path[i + 1]);
    }
    if (o.player) {
        // An arrow head on the player's cell, the way the view from inside faces.
        const PlanPoint c = l.rules.planPoint(s.walk().playerY, s.walk().playerX);
        const int d = s.Heading() % l.directions();
        const PlanPoint m = l.rules.planPoint(s.walk().playerY + l.StepY(d), s.walk().playerX + l.StepX(d));
        const double r = 0.35 * l.rules.planCell, len = std::hypot(m.x - c.x, m.y - c.y);
        const double ux = (m.x - c.x) / len * r, uy = (m.y - c.y) / len * r;
        // Long and narrow, so that its point reads at a glance.
        const POINT arrow[3] = {l.Pixel({c.x + ux, c.y + uy}), l.Pixel({c.x - ux * 0.5 - uy * 0.45, c.y - uy * 0.5 + ux * 0.45}),
                                l.Pixel({c.x - ux * 0.5 + uy * 0.45, c.y - uy * 0.5 - ux * 0.45})};
        Fill(dc, arrow, 3, kPlayerInk);
    }
}

PicturePoint PlanPlayerPoint(const Game& s, const PlanOptions& o) {
    PlanOptions whole = o;
    whole.zoom = {};
    return PlanCellPoint(s, whole, {s.walk().playerX, s.walk().playerY});
}

PicturePoint PlanCellPoint(const Game& s, const PlanOptions& o, const Cell& cell) {
    PlanOptions whole = o;
    whole.zoom = {};
    const Layout l = MakeLayout(s, whole);
    const PlanPoint c = l.rules.planPoint(cell.y, cell.x);
    return ZoomedPoint(o.zoom, {l.left + c.x * l.scale, l.top + c.y * l.scale}, o.width, o.height);
}

double PlanCellPixels(const Game& s, const PlanOptions& o) {
    PlanOptions whole = o;
    whole.zoom = {};
    return MakeLayout(s, whole).scale * s.Rules().planCell;
}

std::optional<Cell> PlanCellAt(const Game& s, const PlanOptions& o, double x, double y) {
    if (!s.HasMaze()) return std::nullopt;
    const Layout l = MakeLayout(s, o);
    const PlanPoint p{(x - l.left) / l.scale, (y - l.top) / l.scale};
    // The plan is linear in the raster: look round the raster position the point falls on.
    const PlanPoint origin = l.rules.planPoint(0, 0);
    const double perX = l.rules.planPoint(0, 1).x - origin.x, perY = l.rules.planPoint(1, 0).y - origin.y;
    const int gx = static_cast<int>(std::lround((p.x - origin.x) / perX)), gy = static_cast<int>(std::lround((p.y - origin.y) / perY));
    // Inside a cell its centre is the nearest, and no farther than its corners.
    const double half = l.rules.planCell / 2;
    double best = std::hypot(half, half * l.rules.planHalfEdge) + 1e-9;
    std::optional<Cell> cell;
    for (int cy = gy - 2 * l.rules.cellStepY; cy <= gy + 2 * l.rules.cellStepY; ++cy) {
        if (cy < l.rules.firstCellY || cy >= l.gridMaxY || (cy - l.rules.firstCellY) % l.rules.cellStepY != 0) continue;
        for (int cx = l.rules.firstCellX(cy); cx < l.gridMaxX; cx += l.rules.cellStepX) {
            if (cx < gx - 2 * l.rules.cellStepX) continue;
            if (cx > gx + 2 * l.rules.cellStepX) break;
            const PlanPoint c = l.rules.planPoint(cy, cx);
            const double distance = std::hypot(c.x - p.x, c.y - p.y);
            if (distance < best) best = distance, cell = Cell{cx, cy};
        }
    }
    return cell;
}

}  // namespace quivra
