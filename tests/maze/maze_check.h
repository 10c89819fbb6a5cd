// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every generated maze must be, checked without a test framework so the tests and the fuzzers
// share it:
// perfect (every cell reached, exactly cells - 1 passages), posts and outlines untouched, and the
// marks of 1 one unbranched route from the entrance through every step to the exit.
#include <stdexcept>
#include <string>
#include <vector>

#include "maze/hex_maze.h"
#include "maze/square_maze.h"

namespace quivra::mazecheck {

struct Shape {
    bool hex = false;
    int cellsX = 0, cellsY = 0, gridMaxX = 0, gridMaxY = 0, cellCount = 0;
};

inline Shape MakeShape(bool hex, int cellsX, int cellsY) {
    Shape s{hex, cellsX, cellsY, 0, 0, 0};
    if (hex) {
        s.gridMaxX = cellsX / 2 * 8 + 6;
        s.gridMaxY = 4 * cellsY;
        s.cellCount = cellsX * cellsY - cellsX / 2;
    } else {
        s.gridMaxX = 2 * cellsX;
        s.gridMaxY = 2 * cellsY;
        s.cellCount = cellsX * cellsY;
    }
    return s;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void Fail(const Shape& s, const char* what, int y, int x) {
    throw Failure(std::string("maze check failed: ") + what + " at (" + std::to_string(y) + ", " + std::to_string(x) +
                  ") of a " + (s.hex ? "honeycomb " : "square ") + std::to_string(s.cellsX) + " x " +
                  std::to_string(s.cellsY) + " maze");
}

inline bool IsCell(const Shape& s, int y, int x) {
    if (y < 0 || x < 0 || y > s.gridMaxY || x > s.gridMaxX) return false;
    if (!s.hex) return x % 2 == 1 && y % 2 == 1;
    if (x % 8 == 3) return y % 4 == 2;
    return x % 8 == 7 && y % 4 == 0 && y > 0 && y < s.gridMaxY;
}

// Returns the number of cells on the marked route; throws Failure naming the first fault.
inline int CheckMaze(const Shape& s, const ByteGrid& g, const StepTable<6, 720>& hx, const StepTable<6, 720>& hy,
                     const SquareStepTable& qx, const SquareStepTable& qy) {
    if (g.MaxX() != s.gridMaxX || g.MaxY() != s.gridMaxY) Fail(s, "grid bounds", g.MaxY(), g.MaxX());
    const int dirs = s.hex ? 6 : 4;
    auto dx = [&](int d) { return s.hex ? hx[d][0] : qx[d][0]; };
    auto dy = [&](int d) { return s.hex ? hy[d][0] : qy[d][0]; };
    const int entranceX = s.hex ? 3 : 1, exitX = s.gridMaxX - (s.hex ? 3 : 1);
    const int firstY = s.hex ? 2 : 1, lastY = s.gridMaxY - (s.hex ? 2 : 1);

    // Positions that may differ from the uncarved raster: cells, slots between two cells, the two openings.
    std::vector<char> carvable(g.Size(), 0);
    const int w = s.gridMaxX + 1;
    int passages = 0, cells = 0;
    for (int y = 0; y <= s.gridMaxY; ++y) {
        for (int x = 0; x <= s.gridMaxX; ++x) {
            if (!IsCell(s, y, x)) continue;
            ++cells;
            carvable[y * w + x] = 1;
            if (g(y, x) != 1 && g(y, x) != 2) Fail(s, "cell never reached or badly marked", y, x);
            for (int d = 0; d < dirs; ++d) {
                const int ny = y + 2 * dy(d), nx = x + 2 * dx(d);
                if (!IsCell(s, ny, nx)) continue;
                carvable[(y + dy(d)) * w + x + dx(d)] = 1;
                if (g(y + dy(d), x + dx(d)) != 0) ++passages;
            }
        }
    }
    carvable[entranceX] = carvable[s.gridMaxY * w + exitX] = 1;
    if (cells != s.cellCount) Fail(s, "cell count", cells, s.cellCount);
    if (passages != 2 * (s.cellCount - 1)) Fail(s, "passages are not cells - 1", passages / 2, s.cellCount - 1);
    for (int y = 0; y <= s.gridMaxY; ++y) {
        for (int x = 0; x <= s.gridMaxX; ++x) {
            const uint8_t raster = s.hex ? HexRasterCode(y, x, s.gridMaxY) : 0;
            if (!carvable[y * w + x] && g(y, x) != raster) Fail(s, "outline or post changed", y, x);
        }
    }
    if (g(0, entranceX) != 1) Fail(s, "entrance not marked", 0, entranceX);
    if (g(s.gridMaxY, exitX) != 1) Fail(s, "exit not on the route", s.gridMaxY, exitX);

    // Connected: with cells - 1 passages, reaching every cell makes it a tree.
    std::vector<char> seen(g.Size(), 0);
    std::vector<int> stack{firstY * w + entranceX};
    seen[stack.back()] = 1;
    int reached = 0;
    while (!stack.empty()) {
        const int p = stack.back();
        stack.pop_back();
        ++reached;
        const int y = p / w, x = p % w;
        for (int d = 0; d < dirs; ++d) {
            const int ny = y + 2 * dy(d), nx = x + 2 * dx(d);
            if (!IsCell(s, ny, nx) || g(y + dy(d), x + dx(d)) == 0 || seen[ny * w + nx]) continue;
            seen[ny * w + nx] = 1;
            stack.push_back(ny * w + nx);
        }
    }
    if (reached != s.cellCount) Fail(s, "cells not connected", reached, s.cellCount);

    // The route: every marked cell has exactly two marked slots (the openings count), the marked
    // slots join marked cells, and following them from the first cell ends at the last.
    int routeCells = 0;
    for (int y = 0; y <= s.gridMaxY; ++y) {
        for (int x = 0; x <= s.gridMaxX; ++x) {
            if (g(y, x) != 1) continue;
            if (IsCell(s, y, x)) {
                ++routeCells;
                int marked = 0;
                for (int d = 0; d < dirs; ++d) {
                    const int sy = y + dy(d), sx = x + dx(d);
                    if (sy >= 0 && sx >= 0 && sy <= s.gridMaxY && sx <= s.gridMaxX && g(sy, sx) == 1) ++marked;
                }
                if (marked != 2) Fail(s, "route branches or stops", y, x);
            } else if (!carvable[y * w + x]) {
                Fail(s, "mark off the route's positions", y, x);
            }
        }
    }
    if (g(firstY, entranceX) != 1 || g(lastY, exitX) != 1) Fail(s, "route misses an end cell", lastY, exitX);
    // Walk it: a closed loop of marks elsewhere would leave cells over.
    int y = firstY, x = entranceX, py = -4, px = -4, walked = 1;
    while (!(y == lastY && x == exitX)) {
        int next = -1;
        for (int d = 0; d < dirs && next < 0; ++d) {
            const int ny = y + 2 * dy(d), nx = x + 2 * dx(d);
            if (IsCell(s, ny, nx) && g(y + dy(d), x + dx(d)) == 1 && !(ny == py && nx == px)) next = d;
        }
        if (next < 0 || walked > routeCells) Fail(s, "route broken", y, x);
        py = y, px = x;
        y += 2 * dy(next), x += 2 * dx(next);
        ++walked;
    }
    if (walked != routeCells) Fail(s, "marked cells off the route", walked, routeCells);
    return walked;
}

}  // namespace quivra::mazecheck
