// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and clicks that come while the same game is drawn again wait for the finished scene.
#include "app/frm_main.h"

namespace quivra {

void FrmMain::HoldKey(int& keyCode) {
    if (IsWalkingKey(state_, keyCode) && state_.Hold(state_, HeldEvent::Key(keyCode))) keyCode = 0;
}

void FrmMain::TakeHeldInput() {
    for (const HeldEvent& event : state_.TakeHeld()) {
        if (event.kind == HeldEvent::Kind::Key) {
            int keyCode = event.keyCode;
            Form_KeyDown(keyCode, 0);
        } else {
            Form_PointerDown(event.x, event.y);
        }
    }
}

}  // namespace quivra
