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

// Why a code is refused, so that a window can say it in the player's language. The parser gives
// all but the last, which the game's check adds (game/code_check.h).
enum class CodeRefusal {
    kNone,
    kForm,
    kStyle,
    kCells,
    kSeed,
    kCheck,
    kHoneycombShape,
    kSquareShape,
    kLimits,
    kTooLargeToDraw,
};

// The maze a code names, or why the code is refused (a wrong form, a size the style cannot have or
// beyond MazeShape's limits, a check character that does not match), in English words and as a
// kind. Letters may be in either case.
struct MazeCodeResult {
    std::optional<NamedMaze> maze;
    std::string error;
    CodeRefusal refusal = CodeRefusal::kNone;
};
MazeCodeResult ParseMazeCode(std::string_view code);

}  // namespace quivra
