// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scene zoomed in (zoom.h): its view parameters, where the player stands in the whole picture,
// and the whole zoomed scene drawn at once, as a move of the view needs it (no build stages).
#include "render/scene_state.h"
#include "render/zoom.h"

namespace quivra {

// The view that draws the whole scene's picture scaled about the zoom's centre, for a drawing area
// width x drawHeight pixels. The view itself at level 0.
ViewParams ZoomedSceneView(const ViewParams& view, const ZoomView& zoom, int width, int drawHeight);

// The player's place in the whole scene's picture (at the trail's height), and how wide a cell
// draws there, in pixels.
PicturePoint ScenePlayerPoint(const Game& g, const ViewParams& view, int drawHeight);
double SceneCellPixels(const Game& g, const ViewParams& view);

// The drawing area (width x canvas.drawHeight) cleared and the finished scene drawn whole through
// the zoomed view: the floor, the walls, the trail and, when shown, the correct path.
void DrawZoomedScene(const Game& g, const SceneState& s, Canvas& canvas, int width, const ZoomView& zoom);

}  // namespace quivra
