// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/first_person.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quivra {

namespace {

// Walls a little higher than a cell is wide, the eye half way up: the overview's walls, twice a square's
// width, would fill the whole picture from one cell away.
constexpr double kNear = 0.02;      // nothing nearer than this (plan units) is drawn
constexpr double kTrailHalfWidth = 0.04;   // of a cell: about the overview's line over its cell
constexpr double kEyeBack = 0.4;           // of a cell, behind its centre
constexpr size_t kMaxCells = 50000;        // a bound for absurd windows; real frames visit far fewer

// Greys of the game's palette: a dark ceiling over a mid-grey floor; walls lighter the more they
// face the eye, so corners and side openings read at a glance.
constexpr int kCeiling = 3;
constexpr int kFloor = 5;
constexpr int kFacingWall = 10;
constexpr int kSlantedWall = 8;
constexpr int kSideWall = 7;
constexpr int kWallEdge = 4;
constexpr int kExitLight = 12;   // the brightest grey: nothing else in this view uses it
constexpr int kLitGround = 11;   // the ground outside the exit, in its light
constexpr int kLitFloor = 7;     // the floor inside the exit, where the light falls
constexpr int kMapOutline = 8;   // the corner map's faint outline of the maze
constexpr int kEntranceDark = 0;
constexpr int kMapGround = 11;
constexpr int kMapWall = 16;   // black
constexpr int kMapPlayer = 15;

struct Vec {
    double x, y;
};

Vec PlanAt(const StyleRules& rules, int gy, int gx) {
    const PlanPoint p = rules.planPoint(gy, gx);
    return {p.x, p.y};
}

// Points of the view: f ahead of the eye, r to its right, z above the floor.
struct CamPoint {
    double f, r, z;
};
struct ScreenPoint {
    double x, y;
};

struct Camera {
    double ex, ey;   // the eye on the plan
    double hx, hy;   // ahead
    double rx, ry;   // to the right, seen from above with y growing down the plan
    double focal, cx, cy;
    double eyeHeight;   // half the walls'
    int width, height;

    CamPoint ToCam(Vec p, double z) const {
        const double dx = p.x - ex, dy = p.y - ey;
        return {dx * hx + dy * hy, dx * rx + dy * ry, z};
    }
    ScreenPoint Project(const CamPoint& c) const {
        return {cx + focal * c.r / c.f, cy - focal * (c.z - eyeHeight) / c.f};
    }
    // Rounded the same way either side of the middle, so a mirrored scene gives a mirrored picture.
    static int32_t Round(double v, double centre, int size) {
        if (size % 2 == 0) return static_cast<int32_t>(size / 2 + std::lround(std::clamp(v - centre, -1e8, 1e8)));
        return static_cast<int32_t>(std::lround(std::clamp(v, -1e8, 1e8)));
    }
    POINT Pixel(const ScreenPoint& s) const { return {Round(s.x, cx, width), Round(s.y, cy, height)}; }
};

Camera MakeCamera(const Eye& eye, int width, int height, double cellWidth) {
    Camera c{};
    c.eyeHeight = 0.6 * cellWidth;
    c.ex = eye.x;
    c.ey = eye.y;
    c.hx = std::cos(eye.angle);
    c.hy = std::sin(eye.angle);
    c.rx = -c.hy;
    c.ry = c.hx;
    // A quarter turn across the width: a honeycomb's turn of a sixth keeps part of the view.
    c.focal = width / 2.0;
    c.cx = width / 2.0;
    c.cy = height / 2.0;
    c.width = width;
    c.height = height;
    return c;
}

constexpr int kMaxCorners = 16;

// Keeps what lies at least kNear ahead of the eye.
int ClipNear(const CamPoint* in, int n, CamPoint* out) {
    int m = 0;
    for (int i = 0; i < n; ++i) {
        const CamPoint& a = in[i];
        const CamPoint& b = in[(i + 1) % n];
        const bool aIn = a.f >= kNear, bIn = b.f >= kNear;
        if (aIn) out[m++] = a;
        if (aIn != bIn) {
            const double t = (kNear - a.f) / (b.f - a.f);
            out[m++] = {kNear, a.r + t * (b.r - a.r), a.z + t * (b.z - a.z)};
        }
    }
    return m;
}

// Keeps the part on one side of the column x = bound (or of the row y = bound).
int ClipSide(const ScreenPoint* in, int n, ScreenPoint* out, double bound, bool keepAbove, bool rows) {
    int m = 0;
    auto at = [rows](const ScreenPoint& p) { return rows ? p.y : p.x; };
    auto inside = [&](const ScreenPoint& p) { return keepAbove ? at(p) >= bound : at(p) <= bound; };
    for (int i = 0; i < n; ++i) {
        const ScreenPoint& a = in[i];
        const ScreenPoint& b = in[(i + 1) % n];
        const bool aIn = inside(a), bIn = inside(b);
        if (aIn) out[m++] = a;
        if (aIn != bIn) {
            const double t = (bound - at(a)) / (at(b) - at(a));
            out[m++] = rows ? ScreenPoint{a.x + t * (b.x - a.x), bound} : ScreenPoint{bound, a.y + t * (b.y - a.y)};
        }
    }
    return m;
}

class Painter {
public:
    Painter(Canvas& canvas, const Camera& camera) : canvas_(canvas), cam_(camera) {}

    // A polygon of the scene between the columns left and right.
    void Polygon(const CamPoint* corners, int n, double left, double right, int colour) {
        CamPoint near[kMaxCorners];
        const int kept = ClipNear(corners, n, near);
        if (kept < 3) return;
        ScreenPoint a[kMaxCorners], b[kMaxCorners];
        for (int i = 0; i < kept; ++i) a[i] = cam_.Project(near[i]);
        // Within the columns it is seen in, and within the picture's rows: nothing spills below it.
        int m = ClipSide(a, kept, b, left, true, false);
        m = ClipSide(b, m, a, right, false, false);
        m = ClipSide(a, m, b, 0, true, true);
        m = ClipSide(b, m, a, cam_.height, false, true);
        if (m < 3) return;
        POINT pixels[kMaxCorners];
        for (int i = 0; i < m; ++i) pixels[i] = cam_.Pixel(a[i]);
        Fill(pixels, m, colour);
    }

    void Fill(const POINT* pixels, int n, int colour) {
        DeviceContext& dc = canvas_.dc;
        const HBRUSH brush = dc.CreateSolidBrush(canvas_.Colour(colour));
        if (brush == 0) return;
        const HRGN region = dc.CreatePolygonRgn(pixels, n, ALTERNATE);
        if (region != 0) {
            dc.FillRgn(region, brush);
            dc.DeleteObject(region);
            ++polygons;
        }
        dc.DeleteObject(brush);
    }

    // An upright line at column x between rows top and bottom, when x lies between left and right.
    void Upright(double x, double top, double bottom, double left, double right, int colour) {
        if (x < left || x > right || x < 1 || x > cam_.width - 1) return;
        DeviceContext& dc = canvas_.dc;
        // Two pixels wide: it covers the columns either side of x, so a mirrored scene mirrors it too.
        const HPEN pen = dc.CreatePen(PS_SOLID, 2, canvas_.Colour(colour));
        if (pen == 0) return;
        const HGDIOBJ previous = dc.SelectObject(pen);
        // Inside the picture, less the pen's half width.
        const double h = cam_.height - 1;
        const POINT a = cam_.Pixel({x, std::clamp(top, 1.0, h)}), b = cam_.Pixel({x, std::clamp(bottom, 1.0, h)});
        dc.MoveToEx(a.x, a.y, nullptr);
        dc.LineTo(b.x, b.y);
        dc.SelectObject(previous);
        dc.DeleteObject(pen);
    }

    int polygons = 0;

private:
    Canvas& canvas_;
    const Camera& cam_;
};

// A cell reached through the open sides from the eye's, and the columns it is seen in.
struct Visit {
    int x, y;
    int fromX, fromY;
    double left, right;
};

struct Maze {
    const Game& g;
    const StyleRules& rules;
    const ByteGrid& grid;
    int maxX, maxY;

    int StepX(int d) const { return rules.stepX(g.tables(), d); }
    int StepY(int d) const { return rules.stepY(g.tables(), d); }
    bool IsCell(int x, int y) const { return x > 0 && x < maxX && y > 0 && y < maxY; }
    Vec Centre(int x, int y) const { return PlanAt(rules, y, x); }
    // The side of cell (x, y) towards direction d, from a to b.
    void Side(int x, int y, int d, Vec& a, Vec& b) const {
        const Vec c = Centre(x, y), m = PlanAt(rules, y + StepY(d), x + StepX(d));
        const double k = rules.planHalfEdge;
        const double px = -(m.y - c.y) * k, py = (m.x - c.x) * k;
        a = {m.x - px, m.y - py};
        b = {m.x + px, m.y + py};
    }
};

// The columns a side of a cell covers, when the eye sees it from within the cell (the inner face).
bool SideColumns(const Camera& cam, const Maze& mz, int x, int y, int d, double& left, double& right) {
    Vec a, b;
    mz.Side(x, y, d, a, b);
    const Vec c = mz.Centre(x, y);
    const Vec m{(a.x + b.x) / 2, (a.y + b.y) / 2};
    // Seen from behind: the eye is not on the cell's side of it.
    if ((c.x - m.x) * (cam.ex - m.x) + (c.y - m.y) * (cam.ey - m.y) <= 0) return false;
    const CamPoint seg[2] = {cam.ToCam(a, cam.eyeHeight), cam.ToCam(b, cam.eyeHeight)};
    CamPoint p[2] = {seg[0], seg[1]};
    if (p[0].f < kNear && p[1].f < kNear) return false;
    for (int i = 0; i < 2; ++i) {
        if (p[i].f < kNear) {
            const CamPoint& o = seg[1 - i];
            const double t = (kNear - o.f) / (p[i].f - o.f);
            p[i] = {kNear, o.r + t * (p[i].r - o.r), cam.eyeHeight};
        }
    }
    const double x0 = cam.Project(p[0]).x, x1 = cam.Project(p[1]).x;
    left = std::min(x0, x1);
    right = std::max(x0, x1);
    return true;
}

int WallGrey(const Camera& cam, const Maze& mz, int x, int y, int d) {
    const Vec c = mz.Centre(x, y), m = PlanAt(mz.rules, y + mz.StepY(d), x + mz.StepX(d));
    const double len = std::hypot(m.x - c.x, m.y - c.y);
    const double facing = std::abs(((m.x - c.x) * cam.hx + (m.y - c.y) * cam.hy) / len);
    if (facing > 0.9) return kFacingWall;
    return facing > 0.3 ? kSlantedWall : kSideWall;
}

// A strip on the floor from p to q.
void FloorStrip(Painter& painter, const Camera& cam, Vec p, Vec q, double halfWidth, const Visit& v, int colour) {
    const double len = std::hypot(q.x - p.x, q.y - p.y);
    if (len <= 0) return;
    const double nx = -(q.y - p.y) / len * halfWidth, ny = (q.x - p.x) / len * halfWidth;
    const CamPoint corners[4] = {cam.ToCam({p.x + nx, p.y + ny}, 0), cam.ToCam({q.x + nx, q.y + ny}, 0),
                                 cam.ToCam({q.x - nx, q.y - ny}, 0), cam.ToCam({p.x - nx, p.y - ny}, 0)};
    painter.Polygon(corners, 4, v.left, v.right, colour);
}

// The exit as a way out: the light fills the opening above the ground outside, which runs on
// into it, and the light falls on the floor inside. Drawn over the opening's light, in its columns.
void ExitOpening(Painter& painter, const Camera& cam, const Maze& mz, const Visit& v, int d, Vec a, Vec b, double left,
                 double right) {
    const Vec c = mz.Centre(v.x, v.y), m = PlanAt(mz.rules, v.y + mz.StepY(d), v.x + mz.StepX(d));
    const double ox = m.x - c.x, oy = m.y - c.y;   // from the centre out to the opening
    const CamPoint outside[4] = {cam.ToCam(a, 0), cam.ToCam(b, 0), cam.ToCam({b.x + 4 * ox, b.y + 4 * oy}, 0),
                                 cam.ToCam({a.x + 4 * ox, a.y + 4 * oy}, 0)};
    painter.Polygon(outside, 4, left, right, kLitGround);
    const double in = 0.9;   // of the way back to the centre
    const CamPoint inside[4] = {cam.ToCam(a, 0), cam.ToCam(b, 0), cam.ToCam({b.x - in * ox, b.y - in * oy}, 0),
                                cam.ToCam({a.x - in * ox, a.y - in * oy}, 0)};
    painter.Polygon(inside, 4, v.left, v.right, kLitFloor);
}

void DrawCell(Painter& painter, const Camera& cam, const Maze& mz, const Visit& v, std::vector<TrailSegment>& trail) {
    for (int d = 0; d < mz.rules.directions; ++d) {
        const int sx = mz.StepX(d), sy = mz.StepY(d);
        const int wx = v.x + sx, wy = v.y + sy;
        const bool open = mz.grid(wy, wx) != 0;
        int colour;
        if (!open) {
            colour = WallGrey(cam, mz, v.x, v.y, d);
        } else if (wy == 0) {
            colour = kEntranceDark;
        } else if (wy == mz.maxY) {
            colour = kExitLight;
        } else {
            continue;   // a way on: the cell beyond was drawn already
        }
        double left, right;
        if (!SideColumns(cam, mz, v.x, v.y, d, left, right)) continue;
        if (std::max(left, v.left) >= std::min(right, v.right)) continue;
        Vec a, b;
        mz.Side(v.x, v.y, d, a, b);
        const CamPoint quad[4] = {cam.ToCam(a, 0), cam.ToCam(b, 0), cam.ToCam(b, 2 * cam.eyeHeight),
                                  cam.ToCam(a, 2 * cam.eyeHeight)};
        painter.Polygon(quad, 4, v.left, v.right, colour);
        if (colour == kExitLight) ExitOpening(painter, cam, mz, v, d, a, b, std::max(left, v.left), std::min(right, v.right));
        // The wall's ends, darker: where one cell's wall meets the next, so the steps can be counted.
        for (const CamPoint& end : {quad[0], quad[1]}) {
            if (end.f < kNear) continue;
            const ScreenPoint bottom = cam.Project(end), top = cam.Project({end.f, end.r, 2 * cam.eyeHeight});
            painter.Upright(bottom.x, top.y, bottom.y, v.left, v.right, kWallEdge);
        }
    }

    // On the floor: the walk, then the correct path when it is shown, each as far as the slot
    // half way to the next cell (which draws the other half) or out to the opening.
    const Vec centre = mz.Centre(v.x, v.y);
    const double half = kTrailHalfWidth * mz.rules.planCell;
    const WalkState& walk = mz.g.walk();
    trail.clear();
    CellTrail(mz.rules, mz.g.tables(), walk.walkGrid, mz.maxX, mz.maxY, walk.exitReached, v.x, v.y, trail);
    for (const TrailSegment& t : trail) {
        const bool opening = t.kind == TrailKind::In || t.kind == TrailKind::Out;
        const Vec end = opening ? PlanAt(mz.rules, t.to.y, t.to.x)
                                : PlanAt(mz.rules, (t.from.y + t.to.y) / 2, (t.from.x + t.to.x) / 2);
        FloorStrip(painter, cam, centre, end, half, v, TrailColour(t.kind));
    }
    if (walk.showingSolution && mz.grid(v.y, v.x) == 1) {
        for (int d = 0; d < mz.rules.directions; ++d) {
            const int wx = v.x + mz.StepX(d), wy = v.y + mz.StepY(d);
            if (mz.grid(wy, wx) != 1) continue;
            FloorStrip(painter, cam, centre, PlanAt(mz.rules, wy, wx), half, v, kSolutionColour);
        }
    }
}

// The cell whose centre is nearest the eye among the player's and its neighbours.
Cell EyeCell(const Maze& mz, const Eye& eye, Cell player) {
    Cell best = player;
    Vec c = mz.Centre(player.x, player.y);
    double bestDistance = std::hypot(c.x - eye.x, c.y - eye.y);
    for (int d = 0; d < mz.rules.directions; ++d) {
        const int x = player.x + 2 * mz.StepX(d), y = player.y + 2 * mz.StepY(d);
        if (!mz.IsCell(x, y)) continue;
        c = mz.Centre(x, y);
        const double distance = std::hypot(c.x - eye.x, c.y - eye.y);
        if (distance < bestDistance) best = {x, y}, bestDistance = distance;
    }
    return best;
}

// The player's cell; out through the exit, the one it was left from.
Cell PlayerCell(const Game& g) {
    const WalkState& w = g.walk();
    Cell c{w.playerX, w.playerY};
    if (w.exitReached && !g.Moves().empty()) {
        const int d = g.Moves().back();
        c.x -= 2 * g.Rules().stepX(g.tables(), d);
        c.y -= 2 * g.Rules().stepY(g.tables(), d);
    }
    return c;
}

bool Drawable(const Game& g) {
    const MazeState& m = g.maze();
    return g.HasMaze() && g.walk().walkGrid.Exists() && m.mazeGrid.MaxX() == m.gridMaxX &&
           m.mazeGrid.MaxY() == m.gridMaxY && g.walk().walkGrid.MaxX() == m.gridMaxX &&
           g.walk().walkGrid.MaxY() == m.gridMaxY;
}

std::vector<Visit> VisibleCells(const Camera& cam, const Maze& mz, Cell start) {
    std::vector<Visit> visits;
    visits.push_back({start.x, start.y, -1, -1, 0.0, static_cast<double>(cam.width)});
    for (size_t i = 0; i < visits.size() && visits.size() < kMaxCells; ++i) {
        const Visit v = visits[i];
        for (int d = 0; d < mz.rules.directions; ++d) {
            const int sx = mz.StepX(d), sy = mz.StepY(d);
            const int nx = v.x + 2 * sx, ny = v.y + 2 * sy;
            if (!mz.IsCell(nx, ny) || (nx == v.fromX && ny == v.fromY) || mz.grid(v.y + sy, v.x + sx) == 0) continue;
            double left, right;
            if (!SideColumns(cam, mz, v.x, v.y, d, left, right)) continue;
            left = std::max(left, v.left);
            right = std::min(right, v.right);
            if (right - left < 1e-3) continue;
            visits.push_back({nx, ny, v.x, v.y, left, right});
        }
    }
    return visits;
}

// Keeps the part of the line from a to b inside the box; false when none is.
bool ClipToBox(double& ax, double& ay, double& bx, double& by, double left, double top, double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {ax - left, right - ax, ay - top, bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double x0 = ax + t0 * dx, y0 = ay + t0 * dy;
    bx = ax + t1 * dx, by = ay + t1 * dy;
    ax = x0, ay = y0;
    return true;
}

// The maze's outline, faint, with the walked cells' walls and the trail on it, north up, in a
// corner. The whole maze when its cells are large enough there; else as much of it round the eye.
void DrawMap(Painter& painter, Canvas& canvas, const Maze& mz, const Eye& eye, int width, int height) {
    const int size = std::min(width, height) / 3;
    if (size < 24) return;
    const int margin = std::max(4, size / 20);
    const int left = width - size - margin, top = margin;
    const POINT box[4] = {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}};
    painter.Fill(box, 4, kMapGround);
    const double cell = mz.rules.planCell;
    const Vec low = PlanAt(mz.rules, 0, 0), high = PlanAt(mz.rules, mz.maxY, mz.maxX);
    const double inner = size - 8.0;
    const double fit = inner / std::max({high.x - low.x, high.y - low.y, cell});
    const double least = inner / 16 / cell;   // at most 16 cells across: the walls stay apart
    const double scale = std::max(fit, least);
    // The whole maze centred, or the eye in the middle.
    const bool whole = scale == fit;
    Vec middle{(low.x + high.x) / 2, (low.y + high.y) / 2};
    if (!whole) {
        // Kept a cell inside the maze's outline, so that the box shows the outline and little beside it.
        const double half = inner / 2 / scale - cell;
        middle = {std::clamp(eye.x, low.x + half, high.x - half), std::clamp(eye.y, low.y + half, high.y - half)};
    }
    const double midX = left + size / 2.0, midY = top + size / 2.0;
    auto at = [&](Vec p) { return Vec{midX + (p.x - middle.x) * scale, midY + (p.y - middle.y) * scale}; };
    auto pixel = [&](Vec p) {
        const Vec q = at(p);
        return POINT{static_cast<int32_t>(std::lround(q.x)), static_cast<int32_t>(std::lround(q.y))};
    };
    DeviceContext& dc = canvas.dc;
    auto line = [&](Vec a, Vec b, int colour, int penWidth) {
        Vec pa = at(a), pb = at(b);
        const double reach = penWidth / 2.0 + 1;
        if (!ClipToBox(pa.x, pa.y, pb.x, pb.y, left + reach, top + reach, left + size - reach, top + size - reach)) return;
        const HPEN pen = dc.CreatePen(PS_SOLID, penWidth, canvas.Colour(colour));
        if (pen == 0) return;
        const HGDIOBJ previous = dc.SelectObject(pen);
        dc.MoveToEx(static_cast<int>(std::lround(pa.x)), static_cast<int>(std::lround(pa.y)), nullptr);
        dc.LineTo(static_cast<int>(std::lround(pb.x)), static_cast<int>(std::lround(pb.y)));
        dc.SelectObject(previous);
        dc.DeleteObject(pen);
    };
    const int penWidth = std::clamp(static_cast<int>(scale * cell / 5), 1, std::max(2, size / 60));
    // The raster rows and columns the box shows: the plan is linear in both.
    const Vec origin = low;
    const double perX = PlanAt(mz.rules, 0, 1).x - origin.x, perY = PlanAt(mz.rules, 1, 0).y - origin.y;
    const double reach = size / 2.0 / scale + cell;
    const int x0 = std::max(1, static_cast<int>((middle.x - reach - origin.x) / perX) - 1);
    const int x1 = std::min(mz.maxX - 1, static_cast<int>((middle.x + reach - origin.x) / perX) + 1);
    const int y0 = std::max(mz.rules.firstCellY, static_cast<int>((middle.y - reach - origin.y) / perY) - 1);
    const int y1 = std::min(mz.maxY - 1, static_cast<int>((middle.y + reach - origin.y) / perY) + 1);
    const ByteGrid& walked = mz.g.walk().walkGrid;
    std::vector<TrailSegment> trail;
    const int step = mz.rules.cellStepY;
    for (int pass = 0; pass < 2; ++pass) {   // the outline under the walked cells
        for (int y = y0 + (step - (y0 - mz.rules.firstCellY) % step) % step; y <= y1; y += step) {
            const int first = mz.rules.firstCellX(y);
            int x = first + std::max(0, (x0 - first + mz.rules.cellStepX - 1) / mz.rules.cellStepX) * mz.rules.cellStepX;
            for (; x <= x1; x += mz.rules.cellStepX) {
                const bool seen = walked(y, x) == 1 || walked(y, x) == 3;
                if (pass == 1 && !seen) continue;
                for (int d = 0; d < mz.rules.directions; ++d) {
                    if (mz.grid(y + mz.StepY(d), x + mz.StepX(d)) != 0) continue;
                    const bool outer = !mz.IsCell(x + 2 * mz.StepX(d), y + 2 * mz.StepY(d));
                    if (pass == 0 && !outer) continue;
                    Vec a, b;
                    mz.Side(x, y, d, a, b);
                    line(a, b, pass == 0 ? kMapOutline : kMapWall, penWidth);
                }
                if (pass == 0) continue;
                const Vec c = mz.Centre(x, y);
                trail.clear();
                CellTrail(mz.rules, mz.g.tables(), walked, mz.maxX, mz.maxY, mz.g.walk().exitReached, x, y, trail);
                for (const TrailSegment& t : trail) {
                    const bool opening = t.kind == TrailKind::In || t.kind == TrailKind::Out;
                    const Vec end = opening ? PlanAt(mz.rules, t.to.y, t.to.x)
                                            : PlanAt(mz.rules, (t.from.y + t.to.y) / 2, (t.from.x + t.to.x) / 2);
                    line(c, end, TrailColour(t.kind), penWidth);
                }
            }
        }
    }
    // The player: an arrow head the way it faces, never smaller than a few pixels.
    const double r = std::max(cell * 0.5, 5 / scale);
    const double ca = std::cos(eye.angle), sa = std::sin(eye.angle);
    const Vec tip{eye.x + ca * r, eye.y + sa * r};
    // Long and narrow, so that its point reads at a glance.
    const Vec back1{eye.x - ca * r * 0.5 - sa * r * 0.45, eye.y - sa * r * 0.5 + ca * r * 0.45};
    const Vec back2{eye.x - ca * r * 0.5 + sa * r * 0.45, eye.y - sa * r * 0.5 - ca * r * 0.45};
    const POINT arrow[3] = {pixel(tip), pixel(back1), pixel(back2)};
    painter.Fill(arrow, 3, kMapPlayer);
}

// Walking out: a panel of the exit's light over the middle of the view, with the text on it.
void DrawFinish(Painter& painter, Canvas& canvas, const std::string& text, int width, int height) {
    const int w = width * 4 / 5, h = std::max(height / 3, 40);
    const int left = (width - w) / 2, top = (height - h) / 2;
    // Framed, so that it stands apart from the exit's own light behind it.
    const POINT frame[4] = {{left - 2, top - 2}, {left + w + 2, top - 2}, {left + w + 2, top + h + 2}, {left - 2, top + h + 2}};
    painter.Fill(frame, 4, kWallEdge);
    const POINT panel[4] = {{left, top}, {left + w, top}, {left + w, top + h}, {left, top + h}};
    painter.Fill(panel, 4, kExitLight);
    canvas.dc.DrawTextBox(left + 4, top + 4, w - 8, h - 8, text, canvas.Colour(kMapWall), std::clamp(height / 14, 10, 40));
}

}  // namespace

double HeadingAngle(const Game& g, int d) {
    const StyleRules& rules = g.Rules();
    const PlanPoint a = rules.planPoint(0, 0);
    const PlanPoint b = rules.planPoint(2 * rules.stepY(g.tables(), d), 2 * rules.stepX(g.tables(), d));
    return std::atan2(b.y - a.y, b.x - a.x);
}

Eye EyeOf(const Game& g) {
    const Cell c = PlayerCell(g);
    const PlanPoint p = g.Rules().planPoint(c.y, c.x);
    const double angle = HeadingAngle(g, g.Heading() % g.Rules().directions);
    // At the back of the cell, so that its own side walls and the wall ahead of it are in view.
    const double back = kEyeBack * g.Rules().planCell;
    return {p.x - back * std::cos(angle), p.y - back * std::sin(angle), angle};
}

Eye EyeBetween(const Eye& from, const Eye& to, double part) {
    part = std::clamp(part, 0.0, 1.0);
    double turn = std::remainder(to.angle - from.angle, 2 * std::numbers::pi);
    return {from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part, from.angle + turn * part};
}

FirstPersonFrame DrawFirstPerson(Canvas& canvas, const Game& g, const FirstPersonOptions& o) {
    FirstPersonFrame frame;
    const Eye eye = o.eye ? *o.eye : (Drawable(g) ? EyeOf(g) : Eye{});
    const Camera cam = MakeCamera(eye, o.width, o.height, g.Rules().planCell);
    Painter painter(canvas, cam);
    const int horizon = static_cast<int>(o.height / 2);
    const POINT sky[4] = {{0, 0}, {o.width, 0}, {o.width, horizon}, {0, horizon}};
    const POINT ground[4] = {{0, horizon}, {o.width, horizon}, {o.width, o.height}, {0, o.height}};
    painter.Fill(sky, 4, kCeiling);
    painter.Fill(ground, 4, kFloor);
    if (!Drawable(g)) return frame;

    const Maze mz{g, g.Rules(), g.maze().mazeGrid, g.maze().gridMaxX, g.maze().gridMaxY};
    const Cell start = EyeCell(mz, eye, PlayerCell(g));
    if (!mz.IsCell(start.x, start.y)) return frame;
    const std::vector<Visit> visits = VisibleCells(cam, mz, start);
    // Far to near: a cell's walls and floor lie in its own columns, in front of all it leads to.
    std::vector<TrailSegment> trail;
    for (auto it = visits.rbegin(); it != visits.rend(); ++it) DrawCell(painter, cam, mz, *it, trail);
    if (o.map) DrawMap(painter, canvas, mz, eye, o.width, o.height);
    if (!o.finish.empty() && g.walk().exitReached) DrawFinish(painter, canvas, o.finish, o.width, o.height);
    frame.cells = static_cast<int>(visits.size());
    frame.polygons = painter.polygons;
    return frame;
}

std::optional<Cell> FirstPersonCellAt(const Game& g, const FirstPersonOptions& o, double x, double y) {
    if (!Drawable(g)) return std::nullopt;
    const Eye eye = o.eye ? *o.eye : EyeOf(g);
    const Camera cam = MakeCamera(eye, o.width, o.height, g.Rules().planCell);
    // Only the floor: below the horizon, turned back onto the plane z = 0.
    const double below = y - cam.cy;
    if (below <= 0) return std::nullopt;
    const double f = cam.focal * cam.eyeHeight / below;
    const double r = (x - cam.cx) * f / cam.focal;
    const Vec p{eye.x + cam.hx * f + cam.rx * r, eye.y + cam.hy * f + cam.ry * r};
    const Maze mz{g, g.Rules(), g.maze().mazeGrid, g.maze().gridMaxX, g.maze().gridMaxY};
    const Cell start = EyeCell(mz, eye, PlayerCell(g));
    if (!mz.IsCell(start.x, start.y)) return std::nullopt;
    // The point lies in a cell the eye sees; a convex cell is where its centre is the nearest.
    const std::vector<Visit> visits = VisibleCells(cam, mz, start);
    std::optional<Cell> best;
    double bestDistance = mz.rules.planCell;   // beyond the maze's cells: nothing
    for (const Visit& v : visits) {
        if (x < v.left || x > v.right) continue;
        const Vec c = mz.Centre(v.x, v.y);
        const double distance = std::hypot(c.x - p.x, c.y - p.y);
        if (distance < bestDistance) best = Cell{v.x, v.y}, bestDistance = distance;
    }
    return best;
}

}  // namespace quivra
