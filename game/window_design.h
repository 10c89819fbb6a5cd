// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Design values of the game's window and its controls, in twips (15 per pixel). The window is
// laid out from them, and the tool draws the same picture of a window of a given size.
#include <cmath>

namespace quivra {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 6000;
constexpr int kClientHeightTwips = 4470;
constexpr int kText1HeightTwips = 288;
constexpr int kVScroll1WidthTwips = 252;
// The scroll bar's range: the tilt is 90 less its value.
constexpr int kVScroll1Min = 30;
constexpr int kVScroll1Max = 60;
constexpr int kVScroll1Start = 45;
constexpr int kTimer1Interval = 55;   // ms
constexpr double kGenerationBudget = 0.25;   // seconds

// The game window of a client size in pixels (at one device pixel to each): the status line along
// the bottom and the scroll bar along the right leave the drawing area, which sizes the maze; a
// window less than three status lines high is too small to build in. What the tool draws for a
// window of that size.
struct WindowLayout {
    int statusHeight = 0, scrollWidth = 0;            // pixels
    int drawWidth = 0, drawHeight = 0;                // the drawing area, pixels
    double areaWidthTwips = 0, areaHeightTwips = 0;   // the same, as stage 0 measures it
    bool tooSmall = false;

    static WindowLayout Of(int clientWidth, int clientHeight) {
        WindowLayout l;
        l.statusHeight = static_cast<int>(std::lround(static_cast<double>(kText1HeightTwips) / kTwipsPerPixel));
        l.scrollWidth = static_cast<int>(std::lround(static_cast<double>(kVScroll1WidthTwips) / kTwipsPerPixel));
        l.areaWidthTwips = static_cast<double>(clientWidth - l.scrollWidth) * kTwipsPerPixel;
        l.areaHeightTwips = static_cast<double>(clientHeight - l.statusHeight) * kTwipsPerPixel;
        // Rounded as the window rounds its drawing area to pixels (towards zero below one).
        l.drawWidth = static_cast<int>(clientWidth - l.scrollWidth + 0.5);
        l.drawHeight = static_cast<int>(clientHeight - l.statusHeight + 0.5);
        l.tooSmall = static_cast<float>(l.statusHeight * 3) > static_cast<float>(clientHeight);
        return l;
    }
};

}  // namespace quivra
