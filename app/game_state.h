// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window holds for the life of the process: the game, and how its scene is drawn on
// the window. The game's verbs change the first; the scene builders draw from it into the second.
#include "game/game.h"
#include "render/scene_state.h"

namespace quivra {

struct GameState : Game, SceneState {};

}  // namespace quivra
