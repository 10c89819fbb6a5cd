// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint's next steps drawn over the picture for a moment: a line from the player's cell through
// the cells ahead, in a colour of its own. Drawn over the game's picture, never into it.
#include <QPainter>

#include <vector>

#include "game/game.h"
#include "render/plan_view.h"
#include "render/scene_state.h"
#include "render/zoom.h"

namespace quivra {

// A cell's centre in scene units (x across, y in depth): whole cells on from the start cell's.
PicturePoint SceneCellCentre(const Game& g, const Cell& c);

// The line in the drawing area's pixels, the player's cell first, then `cells` (raster x, y).
std::vector<PicturePoint> PlanHintLine(const Game& g, const PlanOptions& plan, const std::vector<Cell>& cells);
// In the scene, at the trail's height, through `shown` (the view as drawn, zoomed in or not).
std::vector<PicturePoint> SceneHintLine(const Game& g, const ViewParams& shown, int drawHeight,
                                        const std::vector<Cell>& cells);

// The line drawn on a layer `ratio` device pixels to one of its own.
void DrawHintLine(QPainter& p, const std::vector<PicturePoint>& line, double ratio);

}  // namespace quivra
