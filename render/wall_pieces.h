// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Walls are prisms two units high standing on a footprint; these draw the faces a viewer sees.
#include <array>

#include "render/projection.h"

namespace quivra {

using Quad = std::array<ScenePoint, 4>;
using Triangle = std::array<ScenePoint, 3>;

// Near face (edge 3-2) in the caller's colour, then the top in grey 12.
void DrawWallSegment(Canvas& canvas, const ViewParams& view, const Quad& footprint, int colour);

// The end faces turned towards the middle of the view: left end (0-3) in 10, right end (1-2) in 4.
void DrawWallEnds(Canvas& canvas, const ViewParams& view, const Quad& footprint);

// sideMode: at most one side face in 3 or 9 by the side of the middle; otherwise the face 0-2 in
// the caller's colour and the top triangle in 12.
void DrawWallJoint(Canvas& canvas, const ViewParams& view, const Triangle& footprint, bool sideMode, int colour);

}  // namespace quivra
