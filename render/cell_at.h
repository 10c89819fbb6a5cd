// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maze cell under a point of the floor, for walking by pointer: one lookup per style, each
// from the scene geometry its builder draws.
#include <optional>

#include "maze/maze_shape.h"
#include "render/projection.h"

namespace quivra {

// A cell by its walkGrid indexes (x across, y in depth), as the walking code counts them.
struct GridCell {
    int x = 0;
    int y = 0;
    bool operator==(const GridCell&) const = default;
};

// Nothing for a point in a wall's place (standing or opened: the lookup knows no maze, only its
// shape) or off the floor.
std::optional<GridCell> SquareCellAt(const MazeShape& shape, ScenePoint p);
std::optional<GridCell> HexCellAt(const MazeShape& shape, ScenePoint p);
// The lookup of the shape's style (scene.cpp holds each style's).
std::optional<GridCell> CellAt(const MazeShape& shape, ScenePoint p);

}  // namespace quivra
