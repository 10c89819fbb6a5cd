// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard walking: one cell per key, each step drawn at once as a line at wall height.
#include "app/frm_main.h"
#include "app/key_codes.h"
#include "render/scene_common.h"

namespace quivra {

namespace {

constexpr int kNotAKey = -1;
constexpr int kBeepKey = -2;

// Direction of a key in the honeycomb style, kBeepKey for a key of the other style. Letters serve
// keyboards without Home, End, PgUp and PgDn (most laptops): on QWERTY the honeycomb's six
// directions sit under Q W E / A S D, and the square's under W A S D.
int HexDirection(int key) {
    switch (key) {
        case vk::kHome: case vk::kPad7: case vk::kQ: return 0;
        case vk::kEnd: case vk::kPad1: case vk::kA: return 1;
        case vk::kUp: case vk::kPad8: case vk::kW: return 2;
        case vk::kDown: case vk::kPad2: case vk::kS: return 3;
        case vk::kPageUp: case vk::kPad9: case vk::kE: return 4;
        case vk::kPageDown: case vk::kPad3: case vk::kD: return 5;
        case vk::kLeft: case vk::kPad4: case vk::kRight: case vk::kPad6: return kBeepKey;
        default: return kNotAKey;
    }
}

int SquareDirection(int key) {
    switch (key) {
        case vk::kLeft: case vk::kPad4: case vk::kA: return 0;
        case vk::kDown: case vk::kPad2: case vk::kS: return 1;
        case vk::kRight: case vk::kPad6: case vk::kD: return 2;
        case vk::kUp: case vk::kPad8: case vk::kW: return 3;
        case vk::kPageUp: case vk::kPageDown: case vk::kEnd: case vk::kHome:
        case vk::kPad1: case vk::kPad3: case vk::kPad7: case vk::kPad9: case vk::kQ: case vk::kE: return kBeepKey;
        default: return kNotAKey;
    }
}

}  // namespace

void FrmMain::Form_KeyDown(int& keyCode, int /*shift*/) {
    GameState& s = state_;
    // Walking needs a finished scene; a too-small first window finishes with no maze at all, and
    // after a style change that built nothing (minimised or too small) the grid is the old style's.
    if (s.build.buildStage != kStageFinished || s.walk.showingSolution || s.walk.exitReached ||
        !s.walk.walkGrid.Exists() || s.build.needNewMaze) {
        return;
    }

    const bool honeycomb = HoneycombChecked();
    const int direction = honeycomb ? HexDirection(keyCode) : SquareDirection(keyCode);
    if (direction == kNotAKey) return;
    keyCode = 0;
    if (direction == kBeepKey) {
        host_.Beep();
        return;
    }
    const int sx = honeycomb ? s.tables.hexStepX[direction][0] : s.tables.stepX[direction][0];
    const int sy = honeycomb ? s.tables.hexStepY[direction][0] : s.tables.stepY[direction][0];

    // The right border is never crossed; the bottom one is, where the exit opens it.
    const int wx = s.walk.playerX + sx;
    const int wy = s.walk.playerY + sy;
    if (wx <= 0 || wx >= s.maze.gridMaxX || wy <= 0 || wy > s.maze.gridMaxY || s.walk.walkGrid(wy, wx) == 0) {
        host_.Beep();
        return;
    }
    const int tx = wx + sx;
    const int ty = wy + sy;
    // Whatever the menus say, a step never lands outside the grid or on a closed cell; only the
    // exit leaves it, through the bottom row.
    if (tx < 0 || tx > s.maze.gridMaxX || ty < 0 || (ty < s.maze.gridMaxY && s.walk.walkGrid(ty, tx) == 0)) {
        host_.Beep();
        return;
    }

    Canvas canvas = WindowCanvas();
    const ViewParams view = s.View();

    if (ty >= s.maze.gridMaxY) {
        s.walk.lineColorIndex = 14;
        const HPALETTE previous = SelectGamePalette(host_.hDC(), s.palette);
        DrawPathSegment(canvas, s.walk.lineColorIndex, s.walk.playerSceneX, s.walk.playerSceneY, s.walk.playerSceneX,
                        s.view.sceneDepth, view);
        RestorePalette(host_.hDC(), s.palette, previous);
        s.walk.exitReached = true;
        host_.SetText1Text(kCongratulation);
        s.walk.playerX = tx;
        s.walk.playerY = ty;
        return;
    }

    if (s.walk.walkGrid(ty, tx) == 1) {
        s.walk.lineColorIndex = 13;
        s.walk.walkGrid(s.walk.playerY, s.walk.playerX) = 3;
    } else {
        s.walk.lineColorIndex = 14;
        s.walk.walkGrid(ty, tx) = 1;
    }

    double nx = s.walk.playerSceneX + sx;
    double ny = s.walk.playerSceneY + sy;
    if (honeycomb) {
        const int dy = ty - s.walk.playerY;
        const double across = tx > s.walk.playerX ? 1.5 : -1.5;
        nx = s.walk.playerSceneX;
        if (dy == -4) {
            ny = s.walk.playerSceneY - s.tables.sqrtThree;
        } else if (dy == 4) {
            ny = s.walk.playerSceneY + s.tables.sqrtThree;
        } else {
            nx = s.walk.playerSceneX + across;
            ny = s.walk.playerSceneY + (dy < 0 ? -s.tables.sqrtThree / 2 : s.tables.sqrtThree / 2);
        }
    }
    const HPALETTE previous = SelectGamePalette(host_.hDC(), s.palette);
    DrawPathSegment(canvas, s.walk.lineColorIndex, s.walk.playerSceneX, s.walk.playerSceneY, nx, ny, view);
    RestorePalette(host_.hDC(), s.palette, previous);

    s.walk.playerX = tx;
    s.walk.playerY = ty;
    s.walk.playerSceneX = nx;
    s.walk.playerSceneY = ny;
}

}  // namespace quivra
