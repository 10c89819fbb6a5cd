#pragma once
// The base directions of the correct path, read from the marks of mazeGrid, so a test can walk it.
#include <vector>

#include "app/game_state.h"

namespace quivra {

inline std::vector<int> CorrectPathDirections(const GameState& s, bool honeycomb) {
    const int directions = honeycomb ? 6 : 4;
    std::vector<int> path;
    int x = honeycomb ? 3 : 1, y = honeycomb ? 2 : 1, px = x, py = honeycomb ? -2 : -1;
    while (y < s.gridMaxY) {
        int taken = -1;
        for (int d = 0; d < directions && taken < 0; ++d) {
            const int dx = honeycomb ? s.hexStepX[d][0] : s.stepX[d][0];
            const int dy = honeycomb ? s.hexStepY[d][0] : s.stepY[d][0];
            if (s.mazeGrid(y + dy, x + dx) == 1 && (x + 2 * dx != px || y + 2 * dy != py)) taken = d;
        }
        if (taken < 0) break;
        path.push_back(taken);
        const int dx = honeycomb ? s.hexStepX[taken][0] : s.stepX[taken][0];
        const int dy = honeycomb ? s.hexStepY[taken][0] : s.stepY[taken][0];
        px = x, py = y;
        x += 2 * dx, y += 2 * dy;
    }
    return path;
}

// Windows key codes of the walking keys by direction.
constexpr int kSquareKeys[4] = {37, 40, 39, 38};               // left, down, right, up
constexpr int kHoneycombKeys[6] = {36, 35, 38, 40, 33, 34};    // Home, End, Up, Down, PgUp, PgDn

inline std::vector<int> CorrectPathKeys(const GameState& s, bool honeycomb) {
    std::vector<int> keys;
    for (int d : CorrectPathDirections(s, honeycomb)) keys.push_back(honeycomb ? kHoneycombKeys[d] : kSquareKeys[d]);
    return keys;
}

}  // namespace quivra
