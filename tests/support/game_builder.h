// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game set up for a test through the verbs alone: a hand-made maze given as raster rows of
// digits (0 closed, 2 open, 1 the correct path) or a maze code, then moves.
#include <string>
#include <vector>

#include "game/game.h"

namespace quivra::test {

inline ByteGrid GridFromRows(const std::vector<std::string>& rows) {
    ByteGrid grid;
    const int maxY = static_cast<int>(rows.size()) - 1, maxX = static_cast<int>(rows[0].size()) - 1;
    grid.Redim(maxY, maxX);
    for (int y = 0; y <= maxY; ++y)
        for (int x = 0; x <= maxX; ++x) grid(y, x) = static_cast<uint8_t>(rows[y][x] - '0');
    return grid;
}

// A square game on a raster of (2 * cellsY + 1) rows of (2 * cellsX + 1) digits.
inline Game SquareGameFromRows(const std::vector<std::string>& rows) {
    Game g;
    const ByteGrid grid = GridFromRows(rows);
    g.UseMaze(MazeShape::Square(grid.MaxX() / 2, grid.MaxY() / 2), grid);
    return g;
}

// The maze a code names, made as a new game makes it.
inline Game GameFromCode(const std::string& code) {
    Game g;
    const MazeCodeResult parsed = ParseMazeCode(code);
    if (parsed.maze) {
        g.PlayCode(*parsed.maze);
        g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    }
    return g;
}

// Steps in base directions, each as Step takes it.
inline Game& Walk(Game& g, const std::vector<int>& directions) {
    for (int d : directions) g.Step(d);
    return g;
}

}  // namespace quivra::test
