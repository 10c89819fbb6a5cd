// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's colours as the tests expect them, written out on their own: greys (i * 256) / 13 for
// i = 0..12, then yellow, green and red; entry 16 stays black.
#include <QColor>

#include "render/projection.h"

namespace quivra::test {

constexpr int GreyLevel(int index) { return index * 256 / 13; }
constexpr QRgb Grey(int index) { return qRgb(GreyLevel(index), GreyLevel(index), GreyLevel(index)); }

inline PaletteColors ExpectedColours() {
    PaletteColors colours{};
    for (int i = 0; i <= 12; ++i) colours[i] = RGB(GreyLevel(i), GreyLevel(i), GreyLevel(i));
    colours[13] = RGB(255, 255, 0);
    colours[14] = RGB(0, 255, 0);
    colours[15] = RGB(255, 0, 0);
    return colours;
}

}  // namespace quivra::test
