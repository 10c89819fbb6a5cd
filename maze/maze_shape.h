// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A maze's shape: its style, its size in cells and the extents of the raster that holds it.
// Made only by the two factories, so the grid formulas of each style live here and nowhere else.
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

    friend constexpr bool operator==(const MazeShape&, const MazeShape&) = default;
};

}  // namespace quivra
