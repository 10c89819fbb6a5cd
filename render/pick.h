// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which cell a point of the drawing area shows, as the scene draws it. The trail and the correct
// path run at the walls' height, so a point is turned back onto that plane first: inside a cell's
// outline there, it is that cell. Elsewhere it is the cell whose floor shows there between the
// walls; a wall's top or face shows no cell.
#include <optional>

#include "render/cell_at.h"
#include "render/scene_state.h"

namespace quivra {

// x, y: logical pixels of the drawing area; ratio: device pixels to each; drawHeight in device
// pixels. Reads the standing walls from the game's maze; the honeycomb's pieces from the templates
// the wall stage drew them from (s.draw), so only for a finished scene.
std::optional<GridCell> PickCell(const Game& g, const SceneState& s, double x, double y, double ratio,
                                 int drawHeight);

}  // namespace quivra
