// Keyboard walking: one cell per key, each step drawn at once as a line at wall height.
#include "app/frm_main.h"
#include "render/scene_common.h"

namespace quivra {

namespace {

// Windows virtual-key codes of the keys the game looks at.
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kPad1 = 97, kPad2 = 98, kPad3 = 99, kPad4 = 100, kPad6 = 102, kPad7 = 103, kPad8 = 104,
              kPad9 = 105;
// Letters for keyboards without Home, End, PgUp and PgDn (most laptops): on QWERTY the honeycomb's
// six directions sit under Q W E / A S D, and the square's under W A S D.
constexpr int kKeyA = 'A', kKeyD = 'D', kKeyE = 'E', kKeyQ = 'Q', kKeyS = 'S', kKeyW = 'W';

constexpr int kNotAKey = -1;
constexpr int kBeepKey = -2;

// Direction of a key in the honeycomb style, kBeepKey for a key of the other style.
int HexDirection(int key) {
    switch (key) {
        case kHome: case kPad7: case kKeyQ: return 0;
        case kEnd: case kPad1: case kKeyA: return 1;
        case kUp: case kPad8: case kKeyW: return 2;
        case kDown: case kPad2: case kKeyS: return 3;
        case kPageUp: case kPad9: case kKeyE: return 4;
        case kPageDown: case kPad3: case kKeyD: return 5;
        case kLeft: case kPad4: case kRight: case kPad6: return kBeepKey;
        default: return kNotAKey;
    }
}

int SquareDirection(int key) {
    switch (key) {
        case kLeft: case kPad4: case kKeyA: return 0;
        case kDown: case kPad2: case kKeyS: return 1;
        case kRight: case kPad6: case kKeyD: return 2;
        case kUp: case kPad8: case kKeyW: return 3;
        case kPageUp: case kPageDown: case kEnd: case kHome:
        case kPad1: case kPad3: case kPad7: case kPad9: case kKeyQ: case kKeyE: return kBeepKey;
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
