// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/code_check.h"

#include "game/style_rules.h"

namespace quivra {

MazeCodeResult CheckPlayableCode(std::string_view code) {
    MazeCodeResult result = ParseMazeCode(code);
    if (result.maze && !StyleCanDraw(result.maze->shape)) {
        return {std::nullopt, "names a maze too large to draw", CodeRefusal::kTooLargeToDraw};
    }
    return result;
}

std::string RefusalWords(const MazeCodeResult& refused) {
    return refused.refusal == CodeRefusal::kTooLargeToDraw ? refused.error : "is not valid: " + refused.error;
}

}  // namespace quivra
