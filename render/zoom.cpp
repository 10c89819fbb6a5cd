// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/zoom.h"

#include <algorithm>
#include <cmath>

namespace quivra {

double ZoomFactor(int level) { return std::ldexp(1.0, std::clamp(level, 0, kMaxZoomLevel)); }

PicturePoint ZoomedPoint(const ZoomView& view, PicturePoint whole, int width, int height) {
    if (!view.Zoomed()) return whole;
    const double f = ZoomFactor(view.level);
    return {(whole.x - view.centre.x) * f + width / 2.0, (whole.y - view.centre.y) * f + height / 2.0};
}

PicturePoint WholePoint(const ZoomView& view, PicturePoint zoomed, int width, int height) {
    if (!view.Zoomed()) return zoomed;
    const double f = ZoomFactor(view.level);
    return {(zoomed.x - width / 2.0) / f + view.centre.x, (zoomed.y - height / 2.0) / f + view.centre.y};
}

bool InMiddleHalf(PicturePoint p, int width, int height) {
    return p.x >= width / 4.0 && p.x <= width * 3 / 4.0 && p.y >= height / 4.0 && p.y <= height * 3 / 4.0;
}

ZoomView Follow(const ZoomView& view, PicturePoint player, int width, int height) {
    if (!view.Zoomed() || InMiddleHalf(ZoomedPoint(view, player, width, height), width, height)) return view;
    return {view.level, player};
}

ZoomView ZoomOnPlayer(int level, PicturePoint player) {
    return {std::clamp(level, 0, kMaxZoomLevel), player};
}

ZoomView ZoomAbout(const ZoomView& view, int steps, PicturePoint anchor, PicturePoint player, int maxLevel, int width,
                   int height) {
    const int level = std::clamp(view.level + steps, 0, std::clamp(maxLevel, 0, kMaxZoomLevel));
    if (level == 0) return {};
    // The whole picture's point under the anchor stays under it.
    ZoomView at = view;
    if (!view.Zoomed()) at.centre = {width / 2.0, height / 2.0};
    const PicturePoint under = WholePoint(at, anchor, width, height);
    const double f = ZoomFactor(level);
    const ZoomView zoomed{level, {under.x - (anchor.x - width / 2.0) / f, under.y - (anchor.y - height / 2.0) / f}};
    return Follow(zoomed, player, width, height);
}

int MaxZoomLevel(double cellPixels, int width, int height) {
    if (!(cellPixels > 0)) return 0;
    const double widest = std::min(width, height) / 3.0;
    int level = 0;
    while (level < kMaxZoomLevel && cellPixels * ZoomFactor(level + 1) <= widest) ++level;
    return level;
}

int ZoomSteps::FromWheel(double angleDelta) {
    if (std::isfinite(angleDelta)) pending_ += angleDelta / 120;
    return Take();
}

int ZoomSteps::FromPinch(double scale) {
    if (scale > 0 && std::isfinite(scale)) pending_ += std::log2(scale);
    return Take();
}

int ZoomSteps::Take() {
    // A level once a whole one has gathered; the rest waits.
    const int whole = static_cast<int>(std::trunc(pending_));
    pending_ -= whole;
    return whole;
}

}  // namespace quivra
