// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window holds for the life of the process: the game, and the run that builds and
// draws its scene on the window. The game's verbs change the first; the run draws from it.
#include "game/game.h"
#include "render/scene_run.h"

namespace quivra {

struct GameState : Game, SceneRun {};

}  // namespace quivra
