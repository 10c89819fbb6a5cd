// The trail and the correct path as lines between cell centres.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "render/hex_scene.h"

namespace quivra {
namespace {

const double r = std::sqrt(3.0);

// A 3 x 2 honeycomb with every hexagon closed and every cell carved (codes 0 and 2).
ByteGrid ClosedHoneycomb() {
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
    return g;
}

// The correct path of a worked example: (2,3) -> (4,7) -> (2,11) -> (6,11) -> out at (8,11).
ByteGrid SolvedExample() {
    ByteGrid g = ClosedHoneycomb();
    for (auto [y, x] : {std::pair{0, 3}, {2, 3}, {3, 5}, {4, 7}, {3, 9}, {2, 11}, {4, 11}, {6, 11}, {8, 11}}) g(y, x) = 1;
    return g;
}

ByteGrid WalkGridOf(const ByteGrid& maze) {
    ByteGrid w = maze;
    for (int y = 0; y <= maze.MaxY(); ++y) {
        for (int x = 0; x <= maze.MaxX(); ++x) w(y, x) = maze(y, x) != 0 ? 2 : 0;
    }
    w(2, 3) = 1;
    return w;
}

GameState TablesOnly() {
    GameState s;
    FillHexStepTables(s.hexStepX, s.hexStepY);
    s.sqrtThree = r;
    return s;
}

std::vector<HexLine> Trail(const GameState& s, const ByteGrid& walk) {
    std::vector<HexLine> lines;
    TraceHexTrail(s, walk.MaxX(), walk.MaxY(), walk, [&](const HexLine& l) { lines.push_back(l); });
    return lines;
}

std::vector<HexLine> Solution(const GameState& s, const ByteGrid& maze) {
    std::vector<HexLine> lines;
    TraceHexSolution(s, maze.MaxY(), maze, 2 * r + 0.25, [&](const HexLine& l) { lines.push_back(l); });
    return lines;
}

void ExpectLine(const HexLine& l, int colour, double x1, double y1, double x2, double y2) {
    EXPECT_EQ(l.colour, colour);
    EXPECT_NEAR(l.x1, x1, 1e-9);
    EXPECT_NEAR(l.y1, y1, 1e-9);
    EXPECT_NEAR(l.x2, x2, 1e-9);
    EXPECT_NEAR(l.y2, y2, 1e-9);
}

TEST(HexTrail, LinksWalkedNeighboursThroughOpenWallsOnly) {
    GameState s = TablesOnly();
    const ByteGrid maze = SolvedExample();
    ByteGrid walk = WalkGridOf(maze);

    // The start cell alone: just the green entrance stub.
    auto lines = Trail(s, walk);
    ASSERT_EQ(lines.size(), 1u);
    ExpectLine(lines[0], 14, 1.0, 0, 1.0, r / 2);

    // A walked neighbour through an open wall: two green halves meeting in the wall.
    walk(4, 7) = 1;
    lines = Trail(s, walk);
    ASSERT_EQ(lines.size(), 3u);
    ExpectLine(lines[1], 14, 1.0, r / 2, 1.75, 3 * r / 4);
    ExpectLine(lines[2], 14, 2.5, r, 1.75, 3 * r / 4);

    // A stepped-back mark on either side makes both halves yellow.
    walk(4, 7) = 3;
    lines = Trail(s, walk);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].colour, 13);
    EXPECT_EQ(lines[2].colour, 13);
    walk(2, 3) = 3;
    EXPECT_EQ(Trail(s, walk)[1].colour, 13);
    walk(2, 3) = 1;

    // A walked cell behind a closed wall gets no line.
    walk(6, 3) = 1;
    EXPECT_EQ(Trail(s, walk).size(), 3u);

    // The exit stub only once the player has walked out.
    walk(6, 11) = 1;
    EXPECT_EQ(Trail(s, walk).size(), 3u);
    s.exitReached = true;
    lines = Trail(s, walk);
    ASSERT_EQ(lines.size(), 4u);
    ExpectLine(lines[3], 14, 4.0, 3 * r / 2, 4.0, 2 * r);

    // Too few rows for a cell: nothing.
    EXPECT_TRUE([&] {
        std::vector<HexLine> none;
        TraceHexTrail(s, 14, 2, walk, [&](const HexLine& l) { none.push_back(l); });
        return none.empty();
    }());
}

TEST(HexSolution, FromTheEntranceToTheNearEdge) {
    const GameState s = TablesOnly();
    const auto lines = Solution(s, SolvedExample());
    ASSERT_EQ(lines.size(), 5u);
    ExpectLine(lines[0], 15, 1.0, 0, 1.0, r / 2);
    ExpectLine(lines[1], 15, 1.0, r / 2, 2.5, r);
    ExpectLine(lines[2], 15, 2.5, r, 4.0, r / 2);
    ExpectLine(lines[3], 15, 4.0, r / 2, 4.0, 3 * r / 2);
    ExpectLine(lines[4], 15, 4.0, 3 * r / 2, 4.0, 2 * r + 0.25);
}

TEST(HexSolution, StopsOnGridsWithoutAFullChain) {
    const GameState s = TablesOnly();

    // A broken chain ends where the marks end.
    ByteGrid broken = SolvedExample();
    broken(4, 11) = 2;
    EXPECT_EQ(Solution(s, broken).size(), 3u);

    // A loop of marks (2,3) -> (6,3) -> (4,7) -> (2,3) ... does not hold the walk forever.
    ByteGrid loop = ClosedHoneycomb();
    for (auto [y, x] : {std::pair{0, 3}, {4, 3}, {5, 5}, {3, 5}}) loop(y, x) = 1;
    const auto looped = Solution(s, loop);
    EXPECT_GT(looped.size(), 3u);
    EXPECT_LE(looped.size(), 13u);

    // Every border position marked: no step leaves the field except down through the bottom.
    ByteGrid marked = ClosedHoneycomb();
    for (int y = 0; y <= 8; ++y) {
        for (int x = 0; x <= 14; ++x) marked(y, x) = 1;
    }
    for (const HexLine& l : Solution(s, marked)) {
        EXPECT_GE(std::min(l.x1, l.x2), 0.0);
        EXPECT_GE(std::min(l.y1, l.y2), 0.0);
        EXPECT_LE(std::max(l.y1, l.y2), 2 * r + 0.25);
    }

    // No grid at all: nothing drawn.
    EXPECT_TRUE(Solution(s, ByteGrid{}).empty());
}

}  // namespace
}  // namespace quivra
