// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard walking: one cell per key, each step drawn at once as a line at wall height.
#include "app/frm_main.h"
#include "render/scene.h"

namespace quivra {

void FrmMain::Form_KeyDown(int& keyCode, int /*shift*/) {
    const KeyResult key = state_.PressKey(keyCode);
    if (!key.consumed) return;
    keyCode = 0;
    if (key.beep) {
        host_.Beep();
        return;
    }
    Canvas canvas = WindowCanvas();
    DrawStep(key.step, state_, canvas);
    if (key.step.outcome == StepOutcome::Exited) host_.SetText1Text(kCongratulation);
}

}  // namespace quivra
