// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/wall_pieces.h"

namespace quivra {

namespace {

constexpr double kWallHeight = 2;
constexpr int kTopColour = 12;
constexpr int kLeftEndColour = 10;
constexpr int kRightEndColour = 4;
constexpr int kSideLeftOfMiddleColour = 3;
constexpr int kSideRightOfMiddleColour = 9;

// The upright face over the floor edge a-b, top edge first: (a, 2), (b, 2), (b, 0), (a, 0).
void DrawFace(Canvas& canvas, const ViewParams& view, const ScenePoint& a, const ScenePoint& b, int colour) {
    DrawQuad(canvas, view, a.X, a.Y, kWallHeight, b.X, b.Y, kWallHeight, b.X, b.Y, 0, a.X, a.Y, 0, colour);
}

}  // namespace

void DrawWallSegment(Canvas& canvas, const ViewParams& view, const Quad& footprint, int colour) {
    const Quad& q = footprint;
    DrawFace(canvas, view, q[3], q[2], colour);
    DrawQuad(canvas, view, q[0].X, q[0].Y, kWallHeight, q[1].X, q[1].Y, kWallHeight, q[2].X, q[2].Y, kWallHeight,
             q[3].X, q[3].Y, kWallHeight, kTopColour);
}

void DrawWallEnds(Canvas& canvas, const ViewParams& view, const Quad& footprint) {
    const Quad& q = footprint;
    // An end is seen only from the side of the view's middle it faces.
    if (2 * q[0].X > view.sceneWidth) DrawFace(canvas, view, q[0], q[3], kLeftEndColour);
    if (2 * q[1].X < view.sceneWidth) DrawFace(canvas, view, q[2], q[1], kRightEndColour);
}

void DrawWallJoint(Canvas& canvas, const ViewParams& view, const Triangle& footprint, bool sideMode, int colour) {
    const Triangle& q = footprint;
    const double middle = view.sceneWidth / 2;
    if (sideMode) {
        if (middle > q[1].X && q[1].X > q[0].X) {
            DrawFace(canvas, view, q[2], q[1], kSideLeftOfMiddleColour);
        } else if (middle < q[1].X && q[1].X < q[2].X) {
            DrawFace(canvas, view, q[1], q[0], kSideRightOfMiddleColour);
        }
        return;
    }
    DrawFace(canvas, view, q[0], q[2], colour);
    DrawTriangle(canvas, view, q[0].X, q[0].Y, kWallHeight, q[1].X, q[1].Y, kWallHeight, q[2].X, q[2].Y, kWallHeight,
                 kTopColour);
}

}  // namespace quivra
