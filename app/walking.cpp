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
    if (s.buildStage != kStageFinished || s.showingSolution || s.exitReached || !s.walkGrid.Exists() ||
        s.needNewMaze) {
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
    const int sx = honeycomb ? s.hexStepX[direction][0] : s.stepX[direction][0];
    const int sy = honeycomb ? s.hexStepY[direction][0] : s.stepY[direction][0];

    // The right border is never crossed; the bottom one is, where the exit opens it.
    const int wx = s.playerX + sx;
    const int wy = s.playerY + sy;
    if (wx <= 0 || wx >= s.gridMaxX || wy <= 0 || wy > s.gridMaxY || s.walkGrid(wy, wx) == 0) {
        host_.Beep();
        return;
    }
    const int tx = wx + sx;
    const int ty = wy + sy;
    // Whatever the menus say, a step never lands outside the grid or on a closed cell; only the
    // exit leaves it, through the bottom row.
    if (tx < 0 || tx > s.gridMaxX || ty < 0 || (ty < s.gridMaxY && s.walkGrid(ty, tx) == 0)) {
        host_.Beep();
        return;
    }

    Canvas canvas = WindowCanvas();
    const ViewParams view = s.View();

    if (ty >= s.gridMaxY) {
        s.lineColorIndex = 14;
        const HPALETTE previous = SelectGamePalette(host_.hDC(), s);
        DrawPathSegment(canvas, s.lineColorIndex, s.playerSceneX, s.playerSceneY, s.playerSceneX, s.sceneDepth,
                        view);
        RestorePalette(host_.hDC(), s, previous);
        s.exitReached = true;
        host_.SetText1Text(kCongratulation);
        s.playerX = tx;
        s.playerY = ty;
        return;
    }

    if (s.walkGrid(ty, tx) == 1) {
        s.lineColorIndex = 13;
        s.walkGrid(s.playerY, s.playerX) = 3;
    } else {
        s.lineColorIndex = 14;
        s.walkGrid(ty, tx) = 1;
    }

    double nx = s.playerSceneX + sx;
    double ny = s.playerSceneY + sy;
    if (honeycomb) {
        const int dy = ty - s.playerY;
        const double across = tx > s.playerX ? 1.5 : -1.5;
        nx = s.playerSceneX;
        if (dy == -4) {
            ny = s.playerSceneY - s.sqrtThree;
        } else if (dy == 4) {
            ny = s.playerSceneY + s.sqrtThree;
        } else {
            nx = s.playerSceneX + across;
            ny = s.playerSceneY + (dy < 0 ? -s.sqrtThree / 2 : s.sqrtThree / 2);
        }
    }
    const HPALETTE previous = SelectGamePalette(host_.hDC(), s);
    DrawPathSegment(canvas, s.lineColorIndex, s.playerSceneX, s.playerSceneY, nx, ny, view);
    RestorePalette(host_.hDC(), s, previous);

    s.playerX = tx;
    s.playerY = ty;
    s.playerSceneX = nx;
    s.playerSceneY = ny;
}

}  // namespace quivra
