// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Design values of the game's window and its controls, in twips (15 per pixel). The window is
// laid out from them, and the tool draws the same picture of a window of a given size.
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

}  // namespace quivra
