// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A honeycomb game on the headless host: shown and switched before the first tick, with a clock that
// makes every generation try two candidates; the test runs the build.
#include "tests/support/colours.h"
#include "tests/support/headless_game.h"

namespace quivra::test {

struct HexGame : HeadlessGame {
    HexGame(int width, int height) : HeadlessGame(width, height) {
        host.SetClock(43200.52, HeadlessForm::StepForTrials(2));
        host.Show();
        form.mnuStyleItem_Click(kHoneycomb);
    }

    int TicksInStage(uint8_t stage) {
        int ticks = 0;
        while (s().build.buildStage == stage && host.TickTimer()) ++ticks;
        return ticks;
    }
    // The colour is within a pixel of where the scene point projects (thin faces, 2-pixel lines).
    bool Near(double x, double y, double z, QRgb colour, int reach = 1) {
        const POINT p = ProjectPoint(x, y, z, s().View(), DrawAreaHeightPixels(host));
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (host.Image().valid(p.x + dx, p.y + dy) && host.Image().pixel(p.x + dx, p.y + dy) == colour) return true;
            }
        }
        return false;
    }
};


}  // namespace quivra::test
