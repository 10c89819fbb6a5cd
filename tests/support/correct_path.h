// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The correct path as the game reads it from the marks of mazeGrid, so a test can walk it, and
// the walking keys of each style by direction.
#include <cstdint>
#include <vector>

#include "game/game.h"
#include "game/key_codes.h"

namespace quivra::test {

inline constexpr int kSquareKeys[4] = {vk::kLeft, vk::kDown, vk::kRight, vk::kUp};
inline constexpr int kHoneycombKeys[6] = {vk::kHome, vk::kEnd, vk::kUp, vk::kDown, vk::kPageUp, vk::kPageDown};

// The base directions of the marked route from the style's start cell out through the exit, read
// with that style's rules. It stops where the marks end.
std::vector<int> CorrectPathDirections(const Game& g, bool honeycomb);

// The game's own correct path as a move log.
std::vector<uint8_t> CorrectPathMoves(const Game& g);

// The same route as the keys that walk it.
std::vector<int> CorrectPathKeys(const Game& g, bool honeycomb);

// The game's correct path as the first-person keys walk it from where the player stands: turns to
// the right until facing the next step, then forward (or back, when it lies straight behind).
std::vector<int> FirstPersonPathKeys(const Game& g);

}  // namespace quivra::test
