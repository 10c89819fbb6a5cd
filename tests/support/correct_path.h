// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The correct path read from the marks of mazeGrid, so a test can walk it, and the walking keys
// of each style by direction.
#include <vector>

#include "app/game_state.h"
#include "game/key_codes.h"

namespace quivra::test {

inline constexpr int kSquareKeys[4] = {vk::kLeft, vk::kDown, vk::kRight, vk::kUp};
inline constexpr int kHoneycombKeys[6] = {vk::kHome, vk::kEnd, vk::kUp, vk::kDown, vk::kPageUp, vk::kPageDown};

// The base directions of the marked route from the style's start cell out through the exit. It
// stops where the marks end, stays on the grid and takes no more steps than the grid has places.
std::vector<int> CorrectPathDirections(const GameState& s, bool honeycomb);

// The same route as the keys that walk it.
std::vector<int> CorrectPathKeys(const GameState& s, bool honeycomb);

}  // namespace quivra::test
