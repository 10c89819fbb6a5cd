// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game on the headless host: a window of the given client size and the form's handlers.
#include "app/frm_main.h"
#include "app/headless_form.h"

namespace quivra::test {

// Not shown yet: nothing has run, not even Form_Load.
struct HeadlessGame {
    explicit HeadlessGame(int width = 400, int height = 298, ScreenCaps caps = {});
    HeadlessForm host;
    FrmMain form;
    GameState& s() { return form.State(); }
};

// Shown and built to the end: the square maze a player sees first.
struct SquareGame : HeadlessGame {
    explicit SquareGame(int width = 400, int height = 298, ScreenCaps caps = {});
};

// That square game switched to the honeycomb, whose maze is built to the end as well.
struct HoneycombGame : SquareGame {
    explicit HoneycombGame(int width = 400, int height = 298);
};

}  // namespace quivra::test
