// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The square maze scene: the drawing stages a timer step runs (the floor, then the walls a row
// pair per step), and the trail and correct path over it.
#include "maze/maze_shape.h"
#include "render/projection.h"
#include "render/scene_common.h"

namespace quivra {

// The floor (stage 1) and the walls (stage 4); the square scene has no stages 2 and 3.
bool IsSquareDrawingStage(uint8_t stage);

// One drawing stage: the floor, or one row pair of walls. Any other stage draws nothing.
StageReport BuildSquareScene(const Game& g, SceneState& s, Canvas& canvas);

// The correct path as one red line from the entrance to the exit.
void DrawSquareSolution(const Game& g, SceneState& s, Canvas& canvas);

// The walked trail from the marks of walkGrid: half lines from each trail cell towards each
// trail neighbour it has an open slot to, plus the entrance and (once walked out) the exit.
void DrawSquareTrail(const Game& g, SceneState& s, Canvas& canvas);

}  // namespace quivra
