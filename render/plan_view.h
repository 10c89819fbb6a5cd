// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maze seen from above, for solving with a pen: black walls of even width on white, the
// entrance at the top and the exit at the bottom left open and marked, the correct path and the
// player's trail optional. Drawn through the device context, so it goes to a picture or a document.
#include "render/gdi.h"
#include "render/scene_state.h"

namespace quivra {

struct PlanOptions {
    int width = 400;     // the picture, in pixels (units of the device)
    int height = 298;
    bool trail = false;      // the player's trail as the game draws it, green and yellow
    bool solution = false;   // the correct path, red, through the cell centres
};

void DrawPlan(DeviceContext& dc, const Game& game, const PlanOptions& options);

}  // namespace quivra
