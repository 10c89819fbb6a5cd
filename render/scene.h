// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scene builders of both styles behind one face, for the window's build timer. They work on
// the game state and the device context they are handed and report where the build stands; the
// window does the rest (status line, menus, scale mode, clearing, events, the timer).
#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "render/projection.h"
#include "render/scene_common.h"
#include "render/scene_state.h"

namespace quivra {

// The drawing area (client area less the scroll bar and the status line) in twips.
struct DrawAreaTwips {
    double width = 0;
    double height = 0;
};

// What the status line shows over a finished scene; the window holds the texts.
enum class StatusLine { Empty, WalkingHint, Congratulation };

// Stage 0, the builders' part: whether the grids need a new maze (asked for, or missing, or of
// the other style), the new maze sized from the drawing area and generated within `budget`
// seconds of `clock` (the player back at the start), and the view for the drawing area in pixels.
bool NeedsNewMaze(MazeStyle style, const GameState& s);
void MakeNewMaze(MazeStyle style, GameState& s, DrawAreaTwips area, const Clock& clock, double budget);
void SetUpSceneView(MazeStyle style, GameState& s, int widthPixels, int heightPixels);

// Stages 1..4: one drawing stage per timer step.
bool IsDrawingStage(MazeStyle style, uint8_t stage);
StageReport DrawStage(MazeStyle style, GameState& s, Canvas& canvas);

// After the last stage: the trail and, when it is shown, the correct path; says what the status
// line shows.
StatusLine FinishScene(MazeStyle style, GameState& s, Canvas& canvas);

// The correct path over the scene.
void DrawSolution(MazeStyle style, Canvas& canvas, GameState& s);

// The walk grid as the maze leaves it, with the player on the start cell (a new maze and Clear).
void ResetWalk(MazeStyle style, GameState& s);

}  // namespace quivra
