// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/correct_path.h"

namespace quivra::test {

std::vector<int> CorrectPathDirections(const Game& g, bool honeycomb) {
    // The style asked for, not the game's: a test may read a grid the game is about to replace.
    const StyleRules& rules = RulesOf(honeycomb ? MazeStyle::Honeycomb : MazeStyle::Square);
    return CorrectPathOf(rules, g.tables(), g.maze().mazeGrid, g.maze().gridMaxX, g.maze().gridMaxY).directions;
}

std::vector<uint8_t> CorrectPathMoves(const Game& g) {
    const std::vector<int> directions = g.Path().directions;
    return {directions.begin(), directions.end()};
}

std::vector<int> CorrectPathKeys(const Game& g, bool honeycomb) {
    std::vector<int> keys;
    for (int d : CorrectPathDirections(g, honeycomb)) keys.push_back(honeycomb ? kHoneycombKeys[d] : kSquareKeys[d]);
    return keys;
}

std::vector<int> FirstPersonPathKeys(const Game& g) {
    Game walker = g;
    std::vector<int> keys;
    auto press = [&](int key) {
        keys.push_back(key);
        walker.PressFirstPersonKey(key);
    };
    for (int d : g.Path().directions) {
        if (d == walker.Rules().behind(walker.Heading())) {
            press(vk::kDown);
            continue;
        }
        for (int turns = 0; turns < walker.Rules().directions && walker.Heading() != d; ++turns) press(vk::kRight);
        press(vk::kUp);
    }
    return keys;
}

}  // namespace quivra::test
