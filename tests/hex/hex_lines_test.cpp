// SPDX-License-Identifier: GPL-3.0-or-later
// The trail and the correct path as lines between cell centres.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "render/hex_scene.h"

namespace quivra {
namespace {

const double r = std::sqrt(3.0);

// A 3 x 2 honeycomb, all hexagons closed and carved, with the correct path of a known maze
// marked: (2,3) -> (4,7) -> (2,11) -> (6,11) -> out at (8,11).
ByteGrid SolvedExample() {
    ByteGrid g;
    g.Redim(8, 14);
    for (int y = 0; y <= 8; ++y) {
        for (int x = 0; x <= 14; ++x) {
            const int py = y % 4, px = x % 8;
            const bool closed = (py == 0 && (px == 2 || px == 3 || px == 4 || (px == 7 && y != 0 && y != 8))) ||
                                (py % 2 == 1 && (px == 1 || px == 5)) || (py == 2 && (px == 0 || px == 6 || px == 7));
            g(y, x) = closed ? 0 : 2;
        }
    }
    for (auto [y, x] : {std::pair{0, 3}, {2, 3}, {3, 5}, {4, 7}, {3, 9}, {2, 11}, {4, 11}, {6, 11}, {8, 11}}) g(y, x) = 1;
    return g;
}

// The trail and the path as the game reads them from these grids, as the scene draws them.
struct Walked {
    bool exitReached = false;
};

// Lines as "colour:x1,y1>x2,y2" with y in units of sqrt(3)/4, rounded to 2 decimals.
std::string Text(const std::vector<HexLine>& lines) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(2);
    for (const HexLine& l : lines) {
        out << l.colour << ":" << l.x1 << "," << l.y1 / (r / 4) << ">" << l.x2 << "," << l.y2 / (r / 4) << " ";
    }
    return out.str();
}

std::string Trail(const Walked& s, const ByteGrid& walk) {
    std::vector<HexLine> lines;
    TraceHexTrail(kHoneycombRules, TrailOf(kHoneycombRules, SharedTables(), walk, 14, 8, s.exitReached), r,
                  [&](const HexLine& l) { lines.push_back(l); });
    return Text(lines);
}

std::vector<HexLine> SolutionLines(const ByteGrid& maze) {
    std::vector<HexLine> lines;
    TraceHexSolution(kHoneycombRules, CorrectPathOf(kHoneycombRules, SharedTables(), maze, 14, 8), r, 2 * r + 0.25,
                     [&](const HexLine& l) { lines.push_back(l); });
    return lines;
}

std::string Solution(const Walked&, const ByteGrid& maze) { return Text(SolutionLines(maze)); }

TEST(HexLines, TrailJoinsWalkedNeighboursThroughOpenWallsOnly) {
    Walked s;
    const ByteGrid maze = SolvedExample();
    ByteGrid walk = maze;
    for (int y = 0; y <= 8; ++y) {
        for (int x = 0; x <= 14; ++x) walk(y, x) = maze(y, x) != 0 ? 2 : 0;
    }
    walk(2, 3) = 1;
    EXPECT_EQ(Trail(s, walk), "14:1.00,0.00>1.00,2.00 ");   // the start cell: the entrance stub
    walk(4, 7) = 1;
    walk(6, 3) = 1;    // walked, but behind the closed bottom wall of the start cell
    walk(6, 11) = 1;   // next to the exit
    const std::string joined = "14:1.00,0.00>1.00,2.00 14:1.00,2.00>1.75,3.00 14:2.50,4.00>1.75,3.00 ";
    EXPECT_EQ(Trail(s, walk), joined);
    s.exitReached = true;
    EXPECT_EQ(Trail(s, walk), joined + "14:4.00,6.00>4.00,8.00 ");
    walk(4, 7) = 3;   // stepped back: both halves yellow
    EXPECT_EQ(Trail(s, walk), "14:1.00,0.00>1.00,2.00 13:1.00,2.00>1.75,3.00 13:2.50,4.00>1.75,3.00 "
                              "14:4.00,6.00>4.00,8.00 ");
}

TEST(HexLines, CorrectPathFromTheEntranceToTheNearEdge) {
    const Walked s;
    ByteGrid maze = SolvedExample();
    EXPECT_EQ(Solution(s, maze), "15:1.00,0.00>1.00,2.00 15:1.00,2.00>2.50,4.00 15:2.50,4.00>4.00,2.00 "
                                 "15:4.00,2.00>4.00,6.00 15:4.00,6.00>4.00,8.58 ");

    // Without a full chain the walk stops where the marks end...
    maze(4, 11) = 2;
    EXPECT_EQ(Solution(s, maze), "15:1.00,0.00>1.00,2.00 15:1.00,2.00>2.50,4.00 15:2.50,4.00>4.00,2.00 ");
    // ... a loop of marks (2,3) -> (6,3) -> (4,7) -> (2,3) does not hold it forever ...
    maze(4, 3) = 1;
    maze(5, 5) = 1;
    maze(3, 9) = 2;
    const std::string looped = Solution(s, maze);
    EXPECT_LE(std::count(looped.begin(), looped.end(), ':'), 13);
    // ... and marks on every position never lead it out of the field but down through the exit.
    for (int y = 0; y <= 8; ++y) {
        for (int x = 0; x <= 14; ++x) maze(y, x) = 1;
    }
    for (const HexLine& l : SolutionLines(maze)) {
        EXPECT_TRUE(std::min(l.x1, l.x2) >= 0 && std::min(l.y1, l.y2) >= 0 && std::max(l.y1, l.y2) <= 2 * r + 0.25);
    }
    EXPECT_EQ(Solution(s, ByteGrid{}), "");
}

}  // namespace
}  // namespace quivra
