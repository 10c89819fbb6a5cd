// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/cell_at.h"

#include <cmath>
#include <limits>

namespace quivra {

namespace {

constexpr double kWall = 0.25;   // as thick as the builders draw them, in both styles

}  // namespace

std::optional<GridCell> SquareCellAt(const MazeShape& shape, ScenePoint p) {
    // Each unit holds a wall line kWall wide, then a cell: raster index 2k is [k, k + kWall),
    // index 2k + 1 is [k + kWall, k + 1).
    auto index = [](double v, int cells) -> std::optional<int> {
        if (!(v >= 0) || !(v < cells + kWall)) return std::nullopt;
        const double unit = std::floor(v);
        if (v - unit < kWall) return std::nullopt;
        return 2 * static_cast<int>(unit) + 1;
    };
    const std::optional<int> x = index(p.X, shape.cellsX);
    const std::optional<int> y = index(p.Y, shape.cellsY);
    if (!x || !y || *x > 2 * shape.cellsX - 1 || *y > 2 * shape.cellsY - 1) return std::nullopt;
    return GridCell{*x, *y};
}

std::optional<GridCell> HexCellAt(const MazeShape& shape, ScenePoint p) {
    // Column j has its centres at X = 1 + 1.5 j, raster x = 3 + 4 j; its row k at raster
    // y = 2 + 2 (j odd) + 4 k, Y = y sqrt(3) / 4. Odd columns hold one cell fewer. The hexagons
    // (side 1, flat top) are the nearest-centre regions of these centres.
    const double r = std::sqrt(3.0);
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || std::fabs(p.X) > 1e7 || std::fabs(p.Y) > 1e7) {
        return std::nullopt;
    }
    const long middle = std::lround((p.X - 1) / 1.5);
    double best = std::numeric_limits<double>::infinity();
    long bestColumn = 0, bestRow = 0;
    double dx = 0, dy = 0;
    for (long j = middle - 1; j <= middle + 1; ++j) {
        const long odd = j & 1;
        const double firstY = (1 + odd) * r / 2;
        const long k = std::lround((p.Y - firstY) / r);
        const double ex = p.X - (1 + 1.5 * static_cast<double>(j));
        const double ey = p.Y - (firstY + r * static_cast<double>(k));
        if (ex * ex + ey * ey < best) {
            best = ex * ex + ey * ey;
            bestColumn = j;
            bestRow = k;
            dx = ex;
            dy = ey;
        }
    }
    const long rows = shape.cellsY - (bestColumn & 1);
    if (bestColumn < 0 || bestColumn >= shape.cellsX || bestRow < 0 || bestRow >= rows) return std::nullopt;
    // Walls lie along the outline, on one side of it or across it, never further in than kWall.
    const double reach = std::fmax(std::fabs(dy), std::fmax(std::fabs(dx * r / 2 + dy / 2), std::fabs(dx * r / 2 - dy / 2)));
    if (reach >= r / 2 - kWall) return std::nullopt;
    return GridCell{static_cast<int>(3 + 4 * bestColumn), static_cast<int>(2 + 2 * (bestColumn & 1) + 4 * bestRow)};
}

}  // namespace quivra
