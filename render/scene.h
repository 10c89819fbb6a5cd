// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scene builders of every style behind one face, for whatever runs the build (the window's
// timer, the tool). They draw a game they only read onto the canvas they are handed, keep their
// own place in the scene state, and report the stage the run goes on with; the caller does the
// rest (the game's stage, the status line, menus, scale mode, clearing, events, the timer).
#include <optional>

#include "game/game.h"
#include "render/cell_at.h"
#include "render/projection.h"
#include "render/scene_common.h"
#include "render/scene_state.h"

namespace quivra {

// Whether the screen needs the game's logical palette, the colours, and the palette if so.
void SetUpPalette(DeviceContext& dc, PaletteState& palette);

// The view for the game's maze in a drawing area of that many pixels.
void SetUpSceneView(const Game& g, SceneState& s, int widthPixels, int heightPixels);

// Stages 1..4: one drawing stage per timer step, the one the game's buildStage names.
bool IsDrawingStage(MazeStyle style, uint8_t stage);
StageReport DrawStage(const Game& g, SceneState& s, Canvas& canvas);

// After the last stage: the trail the walk marks leave (then the run draws the steps of a walk the
// game takes again, each as its key draws it, and, when it is shown, the correct path).
void DrawSceneTrail(const Game& g, SceneState& s, Canvas& canvas);

// The trail and, when it is shown, the correct path over a drawn scene.
void DrawTrailAndSolution(const Game& g, SceneState& s, Canvas& canvas);

// The correct path over the scene.
void DrawSolution(const Game& g, SceneState& s, Canvas& canvas);

// The cell a point of the drawing area shows (logical pixels; ratio: device pixels to each), as
// pick.h says; nothing off the maze, on a wall or without a maze.
std::optional<GridCell> CellUnder(const Game& g, const SceneState& s, double x, double y, double ratio,
                                  int drawHeight);

// The line of one step of the player.
void DrawStep(const StepResult& step, SceneState& s, Canvas& canvas);

}  // namespace quivra
