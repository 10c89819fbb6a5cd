// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one check of a maze code for whatever plays one (the window's dialog, the game's --code, the
// tool's render): the parser's, then whether the style's scene can hold the maze it names.
#include <string>
#include <string_view>

#include "maze/maze_code.h"

namespace quivra {

MazeCodeResult CheckPlayableCode(std::string_view code);

// A refusal in the command lines' English words, after "maze code 'CODE' ".
std::string RefusalWords(const MazeCodeResult& refused);

}  // namespace quivra
