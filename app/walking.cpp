// SPDX-License-Identifier: GPL-3.0-or-later
// Walking by key, click or tap: one cell per key, a line of cells per click, each step drawn at
// once as a line at wall height.
#include "app/frm_main.h"
#include "render/scene.h"

namespace quivra {

void FrmMain::Form_KeyDown(int& keyCode, int /*shift*/) {
    // No walking key is taken until the scene is drawn to the end; a redraw of the same game
    // holds it until then.
    if (!state_.SceneFinished()) return HoldKey(keyCode);
    if (view_ == View::FirstPerson) return FirstPersonKey(keyCode);
    if (view_ == View::Plan) return PlanKey(keyCode);
    const KeyResult key = life_.PressKey(keyCode);
    if (!key.consumed) return;
    keyCode = 0;
    if (key.beep) {
        host_.Beep();
        return;
    }
    DrawSteps({key.step});
    AfterMove(key.step);
}

void FrmMain::Form_PointerDown(double x, double y) {
    if (!state_.SceneFinished()) {
        state_.Hold(state_, HeldEvent::Point(x, y));
        return;
    }
    if (!state_.CanWalk()) return;
    if (view_ != View::Overview) return PointInView(x, y);
    const double ratio = kTwipsPerPixel / host_.TwipsPerPixel();
    const auto cell = CellUnder(state_, ZoomedScene(), x, y, ratio, DrawAreaHeightPixels(host_));
    if (!cell) return;
    const Game::WalkResult walk = life_.WalkTo(cell->x, cell->y);
    if (walk.beep) host_.Beep();
    if (walk.steps.empty()) return;
    DrawSteps(walk.steps);
    AfterMove(walk.steps.back());
}

}  // namespace quivra
