#pragma once
// A honeycomb game on the headless host, and pixel helpers for whole scenes.
#include <QImage>

#include <cmath>

#include "app/frm_main.h"
#include "app/headless_form.h"

namespace quivra::test {

// Client size for a drawing area of the given twips across (the host rounds its controls to pixels).
inline int ClientWidthForTwips(const HeadlessForm& host, int twips) {
    return twips / kTwipsPerPixel + host.VScroll1WidthPixels();
}

struct HexGame {
    HeadlessForm host;
    FrmMain form{host};

    HexGame(int width, int height, int trials = 2) : host(width, height) {
        host.SetClock(43200.52, HeadlessForm::StepForTrials(trials));
        host.Show();
        form.mnuStyleItem_Click(kHoneycomb);
    }
    GameState& s() { return form.State(); }

    // Runs ticks while the build is in `stage`; returns how many.
    int TicksInStage(uint8_t stage) {
        int ticks = 0;
        while (s().buildStage == stage && host.TickTimer()) ++ticks;
        return ticks;
    }

    QRgb PixelAt(double x, double y, double z) {
        const POINT p = ProjectPoint(x, y, z, s().View(), DrawAreaHeightPixels(host));
        return host.Image().pixel(p.x, p.y);
    }

    // The colour is within a pixel of where the point projects (two-pixel lines, thin faces).
    bool Near(double x, double y, double z, QRgb colour) {
        const POINT p = ProjectPoint(x, y, z, s().View(), DrawAreaHeightPixels(host));
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (host.Image().valid(p.x + dx, p.y + dy) && host.Image().pixel(p.x + dx, p.y + dy) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

constexpr QRgb Grey(int index) {
    const int v = index * 256 / 13;
    return qRgb(v, v, v);
}

}  // namespace quivra::test
