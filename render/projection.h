// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tilted perspective projection of scene points onto the window, and the filled polygons and
// two-pixel lines every picture of the maze is made of.
#include <array>
#include <optional>

#include "render/gdi.h"

namespace quivra {

// A point of the floor plane in scene units: X across, Y in depth (0 at the far edge).
struct ScenePoint {
    double X = 0;
    double Y = 0;
};

using PaletteColors = std::array<COLORREF, 17>;   // index 16 stays black

// The view parameters, computed together by SetupView and handed to every drawing call.
struct ViewParams {
    double sceneWidth = 0;
    double widthRatio = 0;
    double sceneDepth = 0;
    double scaleX = 0;
    double scaleY = 0;
    double viewCos = 0;
    double viewSin = 0;
    double viewSpan = 0;
    // Pixels added before the floor, across and up: a picture scaled about a point (zoom.h).
    // Both stay 0 for the whole maze, whose pixels are then exactly as the written view gives.
    double shiftX = 0;
    double shiftY = 0;
};

// Where drawing goes: the device context, the drawing area's height in pixels (client height
// less the status line, read when the canvas is made) and the colour rule.
struct Canvas {
    DeviceContext& dc;
    int drawHeight;
    bool usePalette;
    const PaletteColors& paletteColors;
    // When above 0, polygons wholly outside the drawing area (cullWidth x drawHeight) are not drawn
    // at all: a zoomed picture leaves most of the maze outside.
    int cullWidth = 0;

    template <size_t N>
    bool Outside(const POINT (&points)[N]) const {
        if (cullWidth <= 0) return false;
        bool left = true, right = true, above = true, below = true;
        for (const POINT& p : points) {
            left &= p.x < 0;
            right &= p.x > cullWidth;
            above &= p.y < 0;
            below &= p.y > drawHeight;
        }
        return left || right || above || below;
    }

    // An index outside the table gives black, as it does through the palette.
    COLORREF Colour(int index) const {
        if (usePalette) return PALETTEINDEX(index);
        return index >= 0 && index < static_cast<int>(paletteColors.size()) ? paletteColors[index] : RGB(0, 0, 0);
    }
};

// viewAngle in degrees; wpx, hpx: drawing area in pixels.
ViewParams SetupView(double viewAngle, double sceneWidth, double sceneDepth, int wpx, int hpx);

POINT ProjectPoint(double x, double y, double z, const ViewParams& view, int drawHeight);
// The same before the floor: where in the drawing area the point lies, in fractional pixels.
void ProjectExact(double x, double y, double z, const ViewParams& view, int drawHeight, double& px, double& py);

// The floor point (z = 0) that a window point shows: ProjectPoint turned back. x and y are logical
// pixels of the drawing area, ratio the device pixels to each of them, drawHeight in device pixels
// as above. Nothing for a point on or above the horizon, or before a view is set up. The point may
// lie off the maze's floor: the cell lookup (cell_at.h) says so.
std::optional<ScenePoint> FloorPointAt(double x, double y, double ratio, const ViewParams& view, int drawHeight);

// The same for the plane at height z: the trail and the wall tops lie at z = 2. The eye sees a
// straight line of scene points through each window point, from this plane down to the floor.
std::optional<ScenePoint> PlanePointAt(double x, double y, double z, double ratio, const ViewParams& view,
                                       int drawHeight);

void FillQuad(Canvas& canvas, const POINT (&points)[4], int colour);
void FillTriangle(Canvas& canvas, const POINT (&points)[3], int colour);

void DrawQuad(Canvas& canvas, const ViewParams& view, double x1, double y1, double z1, double x2, double y2,
              double z2, double x3, double y3, double z3, double x4, double y4, double z4, int colour);
void DrawTriangle(Canvas& canvas, const ViewParams& view, double x1, double y1, double z1, double x2, double y2,
                  double z2, double x3, double y3, double z3, int colour);

// One line at wall height (z = 2), two logical pixels wide, in palette colour lineColorIndex.
void DrawPathSegment(Canvas& canvas, int lineColorIndex, double x1, double y1, double x2, double y2,
                     const ViewParams& view);

}  // namespace quivra
