// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A maze code: a short text that names one maze exactly, so it can be made again without a search
// and shared. Style and size first, then the seed digits the kept candidate was carved from, then a
// check character: "S21x13-33913796-K" (S square, H honeycomb; d1..d8 in order).
#include <optional>
#include <string>
#include <string_view>

#include "maze/maze_shape.h"
#include "maze/random.h"

namespace quivra {

struct NamedMaze {
    MazeShape shape;
    SeedDigits digits{};
    bool operator==(const NamedMaze&) const = default;
};

std::string MazeCode(const NamedMaze& maze);

// The maze a code names, or why the code is refused (a wrong form, a size the style cannot have or
// beyond MazeShape's limits, a check character that does not match). Letters may be in either case.
struct MazeCodeResult {
    std::optional<NamedMaze> maze;
    std::string error;
};
MazeCodeResult ParseMazeCode(std::string_view code);

}  // namespace quivra
