// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/correct_path.h"

namespace quivra::test {

std::vector<int> CorrectPathDirections(const GameState& s, bool honeycomb) {
    const int directions = honeycomb ? 6 : 4;
    std::vector<int> path;
    int x = honeycomb ? 3 : 1, y = honeycomb ? 2 : 1, px = x, py = honeycomb ? -2 : -1;
    while (y < s.maze.gridMaxY && path.size() < s.maze.mazeGrid.Size()) {
        int taken = -1;
        for (int d = 0; d < directions && taken < 0; ++d) {
            const int dx = honeycomb ? s.tables.hexStepX[d][0] : s.tables.stepX[d][0];
            const int dy = honeycomb ? s.tables.hexStepY[d][0] : s.tables.stepY[d][0];
            if (!s.maze.mazeGrid.Contains(y + dy, x + dx) || s.maze.mazeGrid(y + dy, x + dx) != 1) continue;
            if (x + 2 * dx != px || y + 2 * dy != py) taken = d;
        }
        if (taken < 0) break;
        path.push_back(taken);
        px = x, py = y;
        x += 2 * (honeycomb ? s.tables.hexStepX[taken][0] : s.tables.stepX[taken][0]);
        y += 2 * (honeycomb ? s.tables.hexStepY[taken][0] : s.tables.stepY[taken][0]);
    }
    return path;
}

std::vector<int> CorrectPathKeys(const GameState& s, bool honeycomb) {
    std::vector<int> keys;
    for (int d : CorrectPathDirections(s, honeycomb)) keys.push_back(honeycomb ? kHoneycombKeys[d] : kSquareKeys[d]);
    return keys;
}

}  // namespace quivra::test
