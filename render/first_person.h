// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maze seen from inside: the eye in the player's cell at half the walls' height, facing along
// the game's heading. Only what the eye can see is visited: from its cell through the open sides
// to the cells beyond, each seen through a narrower gap, so a frame costs what is visible and
// not what the maze holds.
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "render/projection.h"

namespace quivra {

// Where the eye stands in the plan's units (style_rules.h) and the way it looks, in radians on
// the plan (0 along +x, pi / 2 along +y: down the plan).
struct Eye {
    double x = 0;
    double y = 0;
    double angle = 0;
};

// The plan angle of base direction d.
double HeadingAngle(const Game& g, int d);
// Where the player stands and faces; out through the exit, in the cell it was left from.
Eye EyeOf(const Game& g);
// Part of the way from one eye to another (0 at `from`, 1 at `to`), turning the shorter way.
Eye EyeBetween(const Eye& from, const Eye& to, double part);

struct FirstPersonOptions {
    int width = 400;   // the picture, in pixels
    int height = 298;
    bool map = true;   // the small plan of the walked cells in a corner
    std::optional<Eye> eye;   // drawn from here instead of the player's place (a move under way)
    // Shown over the view once the player has walked out: the congratulation and the summary, a
    // line each.
    std::string finish = {};
};

// What a frame visited, for tests and measurements.
struct FirstPersonFrame {
    int cells = 0;
    int polygons = 0;
};

FirstPersonFrame DrawFirstPerson(Canvas& canvas, const Game& g, const FirstPersonOptions& options);

// The cell (raster x, y) whose floor a window point shows, as FirstPersonOptions draw it.
std::optional<Cell> FirstPersonCellAt(const Game& g, const FirstPersonOptions& options, double x, double y);

}  // namespace quivra
