// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A maze's shape: its style, its size in cells and the extents of the raster that holds it.
// Made only by the two factories, so the grid formulas of each style live here and nowhere else.
#include <optional>

namespace quivra {

enum class MazeStyle { Square, Honeycomb };

struct MazeShape {
    MazeStyle style = MazeStyle::Square;
    int cellsX = 0;      // cells across (honeycomb: columns, odd)
    int cellsY = 0;      // cells deep (honeycomb: cells of an even column; odd ones hold one fewer)
    int gridMaxX = 0;    // largest x index of the raster
    int gridMaxY = 0;    // largest y index of the raster
    int cellCount = 0;

    // Cells at odd (x, y) of a (2 * cellsY + 1) x (2 * cellsX + 1) raster.
    static constexpr MazeShape Square(int cellsX, int cellsY) {
        return {MazeStyle::Square, cellsX, cellsY, 2 * cellsX, 2 * cellsY, cellsX * cellsY};
    }
    // Hexagons in column pairs of eight raster columns, four raster rows per cell row.
    static constexpr MazeShape Honeycomb(int cellsX, int cellsY) {
        return {MazeStyle::Honeycomb, cellsX, cellsY, cellsX / 2 * 8 + 6, 4 * cellsY, cellsX * cellsY - cellsX / 2};
    }
    static constexpr MazeShape Of(MazeStyle style, int cellsX, int cellsY) {
        return style == MazeStyle::Honeycomb ? Honeycomb(cellsX, cellsY) : Square(cellsX, cellsY);
    }

    // The largest maze anything here is asked for (its carve needs about three bytes per grid
    // position), and the shape of one within those limits, or nothing. The sides are checked
    // before a factory multiplies them: within kMaxSide every formula above stays inside an int.
    static constexpr int kMaxSide = 20000;
    static constexpr long long kMaxGridPositions = 50'000'000;
    static constexpr std::optional<MazeShape> Limited(MazeStyle style, int cellsX, int cellsY) {
        if (cellsX < 0 || cellsY < 0 || cellsX > kMaxSide || cellsY > kMaxSide) return std::nullopt;
        const MazeShape s = Of(style, cellsX, cellsY);
        if (static_cast<long long>(s.gridMaxX + 1) * (s.gridMaxY + 1) > kMaxGridPositions) return std::nullopt;
        return s;
    }

    friend constexpr bool operator==(const MazeShape&, const MazeShape&) = default;
};

}  // namespace quivra
