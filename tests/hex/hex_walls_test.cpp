// The wall stage pass by pass: which piece stands at which column phase, in which colour and order.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "hex_test_util.h"
#include "maze/hex_maze.h"
#include "render/hex_scene.h"

namespace quivra {
namespace {

struct Drawn {
    bool joint;
    int piece;   // template index the footprint was made from
    int col;     // drawCol when it was drawn
    bool sideMode;
    int colour;
};

// Records each piece with the template it matches at this row's depth, moved by whole pairs.
class RecordingSink : public HexWallSink {
public:
    explicit RecordingSink(const GameState& s) : s_(s) {}
    void Joint(const Triangle& t, bool sideMode, int colour) override {
        drawn.push_back({true, Match(s_.jointTemplate, t), s_.drawCol, sideMode, colour});
    }
    void Segment(const Quad& q, int colour) override {
        drawn.push_back({false, Match(s_.wallTemplate, q), s_.drawCol, false, colour});
    }
    std::vector<Drawn> drawn;

private:
    template <typename Templates, typename Shape>
    int Match(const Templates& templates, const Shape& shape) const {
        const double dx = 3.0 * (s_.drawCol / 8);
        for (size_t i = 0; i < templates.size(); ++i) {
            bool same = true;
            for (size_t j = 0; j < shape.size(); ++j) {
                same = same && std::abs(shape[j].X - templates[i][j].X - dx) < 1e-9 &&
                       std::abs(shape[j].Y - templates[i][j].Y - s_.rowOffset) < 1e-9;
            }
            if (same) return static_cast<int>(i);
        }
        return -1;
    }
    const GameState& s_;
};

// A 7 x 2 honeycomb (gridMaxX 30, gridMaxY 8) with its templates, every position closed.
GameState ClosedSevenByTwo() {
    test::HexGame game(305, 139);
    game.host.TickTimer();
    game.host.TickTimer();
    GameState s = game.s();
    EXPECT_EQ(s.gridMaxX, 30);
    EXPECT_EQ(s.gridMaxY, 8);
    s.mazeGrid.Redim(s.gridMaxY, s.gridMaxX);
    s.drawRow = 0;
    s.drawPass = 0;
    s.rowOffset = 0;
    s.buildStage = 4;
    return s;
}

TEST(HexWalls, PassesDrawTheirPiecesAtTheirColumnPhases) {
    GameState s = ClosedSevenByTwo();
    const int pairs = 4;   // columns 0..30 hold four column pairs, the last one cut after phase 6

    // Pass 0: side faces of joints 1 and 2 across the whole width first, then joint 1, segment 2
    // and joint 2 pair by pair.
    RecordingSink pass0(s);
    RaiseHexWalls(s, pass0);
    ASSERT_EQ(pass0.drawn.size(), static_cast<size_t>(pairs * 5));
    for (int p = 0; p < pairs; ++p) {
        const Drawn& j1 = pass0.drawn[2 * p];
        const Drawn& j2 = pass0.drawn[2 * p + 1];
        EXPECT_TRUE(j1.joint && j1.sideMode && j1.piece == 1 && j1.col == 8 * p + 2 && j1.colour == 3);
        EXPECT_TRUE(j2.joint && j2.sideMode && j2.piece == 2 && j2.col == 8 * p + 4 && j2.colour == 9);
        const Drawn* second = &pass0.drawn[2 * pairs + 3 * p];
        EXPECT_TRUE(second[0].joint && !second[0].sideMode && second[0].piece == 1 && second[0].colour == 8);
        EXPECT_TRUE(!second[1].joint && second[1].piece == 2 && second[1].col == 8 * p + 3 && second[1].colour == 7);
        EXPECT_TRUE(second[2].joint && !second[2].sideMode && second[2].piece == 2 && second[2].colour == 5);
    }
    EXPECT_EQ(s.drawRow, 1);
    EXPECT_EQ(s.drawPass, 1);

    // Pass 1: upper slanted edges, 4 at phase 1 and 10 at phase 5.
    RecordingSink pass1(s);
    RaiseHexWalls(s, pass1);
    ASSERT_EQ(pass1.drawn.size(), static_cast<size_t>(2 * pairs));
    for (int p = 0; p < pairs; ++p) {
        EXPECT_TRUE(pass1.drawn[2 * p].piece == 1 && pass1.drawn[2 * p].col == 8 * p + 1 && pass1.drawn[2 * p].colour == 4);
        EXPECT_TRUE(pass1.drawn[2 * p + 1].piece == 3 && pass1.drawn[2 * p + 1].col == 8 * p + 5 &&
                    pass1.drawn[2 * p + 1].colour == 10);
    }

    // Pass 2: joints 0 and 3 twice; segment 4 at phase 7, which the last pair does not reach.
    RecordingSink pass2(s);
    RaiseHexWalls(s, pass2);
    ASSERT_EQ(pass2.drawn.size(), static_cast<size_t>(2 * pairs + 3 * pairs - 1));
    for (int p = 0; p < pairs; ++p) {
        EXPECT_TRUE(pass2.drawn[2 * p].piece == 0 && pass2.drawn[2 * p].sideMode && pass2.drawn[2 * p].col == 8 * p);
        EXPECT_TRUE(pass2.drawn[2 * p + 1].piece == 3 && pass2.drawn[2 * p + 1].sideMode &&
                    pass2.drawn[2 * p + 1].colour == 9 && pass2.drawn[2 * p + 1].col == 8 * p + 6);
        const Drawn* second = &pass2.drawn[2 * pairs + 3 * p];
        EXPECT_TRUE(second[0].joint && second[0].piece == 0 && !second[0].sideMode && second[0].colour == 5);
        EXPECT_TRUE(second[1].joint && second[1].piece == 3 && !second[1].sideMode && second[1].colour == 8);
        if (p < pairs - 1) {
            EXPECT_TRUE(!second[2].joint && second[2].piece == 4 && second[2].col == 8 * p + 7 && second[2].colour == 7);
        }
    }
    EXPECT_TRUE(pass2.drawn.back().joint);

    // Pass 3: lower slanted edges, 10 at phase 1 and 4 at phase 5; then the next cell row.
    RecordingSink pass3(s);
    RaiseHexWalls(s, pass3);
    ASSERT_EQ(pass3.drawn.size(), static_cast<size_t>(2 * pairs));
    EXPECT_TRUE(pass3.drawn[0].piece == 0 && pass3.drawn[0].colour == 10);
    EXPECT_TRUE(pass3.drawn[1].piece == 5 && pass3.drawn[1].colour == 4);
    EXPECT_EQ(s.drawPass, 0);
    EXPECT_EQ(s.drawRow, 4);
    EXPECT_DOUBLE_EQ(s.rowOffset, s.sqrtThree);

    // The next row's pieces are the templates one cell deeper (matched against rowOffset).
    RecordingSink next(s);
    RaiseHexWalls(s, next);
    for (const Drawn& d : next.drawn) EXPECT_GE(d.piece, 0);

    // Rows 5..8, then one step that only ends the stage.
    for (int row = 5; row <= 8; ++row) {
        RecordingSink sink(s);
        RaiseHexWalls(s, sink);
        EXPECT_EQ(s.buildStage, 4);
    }
    RecordingSink last(s);
    RaiseHexWalls(s, last);
    EXPECT_TRUE(last.drawn.empty());
    EXPECT_EQ(s.buildStage, 5);
}

TEST(HexWalls, SegmentsOnlyWhereTheMazeIsClosed) {
    GameState s = ClosedSevenByTwo();
    s.mazeGrid(0, 3) = 1;    // the entrance
    s.mazeGrid(0, 19) = 2;   // an open top wall of pair 2
    RecordingSink pass0(s);
    RaiseHexWalls(s, pass0);
    int segments = 0, joints = 0;
    for (const Drawn& d : pass0.drawn) {
        if (d.joint) {
            ++joints;
        } else {
            ++segments;
            EXPECT_NE(d.col, 3);
            EXPECT_NE(d.col, 19);
        }
    }
    EXPECT_EQ(joints, 16);   // joints stand whatever the maze
    EXPECT_EQ(segments, 2);

    // Open slanted edges in pass 1 are skipped too.
    s.mazeGrid(1, 1) = 2;
    s.mazeGrid(1, 13) = 2;
    RecordingSink pass1(s);
    RaiseHexWalls(s, pass1);
    EXPECT_EQ(pass1.drawn.size(), 6u);
    for (const Drawn& d : pass1.drawn) EXPECT_TRUE(d.col != 1 && d.col != 13);
}

TEST(HexWalls, AWholeLargeHoneycombRaisesWithoutOverflow) {
    // The grid of a 16000 x 9000 window, walls raised row by row over a generated maze.
    test::HexGame game(305, 139);
    GameState s = game.s();
    const HexGridSize size = SizeHexGrid((16000 - 17) * 15.0, (9000 - 19) * 15.0, s.sqrtThree);
    s.cellsX = size.cellsX;
    s.cellsY = size.cellsY;
    s.gridMaxX = size.gridMaxX;
    s.gridMaxY = size.gridMaxY;
    s.cellCount = size.cellCount;
    s.mazeGrid.Redim(s.gridMaxY, s.gridMaxX);
    s.pathSteps.assign(static_cast<size_t>(s.cellCount) + 1, PathStep{});
    GenerateHexMaze(s.mixTableA, s.mixTableB, s.hexStepX, s.hexStepY, [] { return 0.0; }, " 5", s.mazeGrid,
                    s.gridMaxX, s.gridMaxY, s.pathSteps, s.cellCount, s.cellsX, s.cellsY, 0);
    s.drawRow = 0;
    s.drawPass = 0;
    s.rowOffset = 0;
    s.buildStage = 4;

    class Counter : public HexWallSink {
    public:
        void Joint(const Triangle&, bool, int) override { ++joints; }
        void Segment(const Quad&, int) override { ++segments; }
        int64_t joints = 0, segments = 0;
    } counter;
    int steps = 0;
    while (s.buildStage == 4) {
        RaiseHexWalls(s, counter);
        ++steps;
    }
    EXPECT_EQ(steps, s.gridMaxY + 2);
    // Four joints per column pair and cell row, each drawn twice, plus pass 0 of the last row.
    const int64_t pairs = s.gridMaxX / 8 + 1;
    EXPECT_EQ(counter.joints, 2 * pairs * 4 * s.cellsY + 2 * pairs * 2);
    // A perfect maze keeps every wall but the cellCount - 1 passages and the two openings.
    int64_t wallSlots = 0;
    for (int y = 0; y <= s.gridMaxY; ++y) {
        for (int x = 0; x <= s.gridMaxX; ++x) {
            const int px = x % 8, py = y % 4;
            const bool slot = (py == 0 && px == 3) || (py == 2 && px == 7) || (py % 2 == 1 && (px == 1 || px == 5));
            if (slot && s.mazeGrid(y, x) == 0) ++wallSlots;
        }
    }
    EXPECT_EQ(counter.segments, wallSlots);
    EXPECT_NEAR(s.rowOffset, s.sqrtThree * s.cellsY, 1e-6);
}

}  // namespace
}  // namespace quivra
