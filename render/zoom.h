// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Zooming into a picture of the maze, and the view following the player. A zoomed picture is the
// whole one scaled about a point: the view's centre, a point of the whole picture, lands in the
// middle of the drawing area. No Qt here: the rules are plain arithmetic on pixels.

namespace quivra {

// Each level doubles the scale; 0 is the whole maze.
constexpr int kMaxZoomLevel = 6;
double ZoomFactor(int level);

// A point in pixels of the drawing area (x right, y down), fractional.
struct PicturePoint {
    double x = 0;
    double y = 0;
};

struct ZoomView {
    int level = 0;
    PicturePoint centre;   // in the whole picture's pixels; unused at level 0
    bool Zoomed() const { return level > 0; }
};

// Where a point of the whole picture lands in the zoomed one of a width x height area, and back.
PicturePoint ZoomedPoint(const ZoomView& view, PicturePoint whole, int width, int height);
PicturePoint WholePoint(const ZoomView& view, PicturePoint zoomed, int width, int height);

// The middle half of the area: a quarter of it in from each edge, the edges included.
bool InMiddleHalf(PicturePoint zoomed, int width, int height);

// The view as the player moves to `player` (a point of the whole picture): kept while the player
// stays in the middle half, centred on the player once a step leaves it.
ZoomView Follow(const ZoomView& view, PicturePoint player, int width, int height);

// `level` centred on the player: the keyboard's zoom and the tool's.
ZoomView ZoomOnPlayer(int level, PicturePoint player);

// `steps` levels in (or out, negative) about `anchor`, a point of the drawing area that keeps
// showing what it showed (the wheel's pointer); then the player kept in view. Levels stay in
// 0..maxLevel.
ZoomView ZoomAbout(const ZoomView& view, int steps, PicturePoint anchor, PicturePoint player, int maxLevel, int width,
                   int height);

// The deepest level worth having for cells `cellPixels` wide in the whole picture: a cell no wider
// than a third of the area's shorter side.
int MaxZoomLevel(double cellPixels, int width, int height);

// Wheel notches or a pinch's scaling turned into whole levels: the rest is kept for the next event.
class ZoomSteps {
public:
    // A wheel's turn in eighths of a degree (120 a notch).
    int FromWheel(double angleDelta);
    // A pinch scaling by `scale` since the last event (2 is one level in).
    int FromPinch(double scale);
    void Reset() { pending_ = 0; }

private:
    int Take();
    double pending_ = 0;   // levels not taken yet
};

}  // namespace quivra
