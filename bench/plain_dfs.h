// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The yardstick candidate rates are measured against: a plain iterative depth-first carve
// (std::mt19937, one random choice per step) plus a breadth-first solve, on a square grid
// (4 neighbours) or a hex grid (6, offset rows) of width x height cells.

namespace quivra::bench {

// Carve-and-solve candidates finished in `seconds` of wall-clock time, counted as the yardstick
// counts them (it checks the clock before each candidate).
long PlainDfsCandidates(bool hex, int width, int height, double seconds);

}  // namespace quivra::bench
