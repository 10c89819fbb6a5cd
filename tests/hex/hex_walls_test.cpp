// SPDX-License-Identifier: GPL-3.0-or-later
// The wall stage pass by pass: which piece stands at which column phase, in which colour and order.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "hex_test_util.h"
#include "maze/hex_maze.h"
#include "render/hex_scene.h"

namespace quivra {
namespace {

// Writes each piece as J (joint, side faces only), j (joint face and top) or s (segment), then
// colour @ column.
class RecordingSink : public HexWallSink {
public:
    explicit RecordingSink(const GameState& s) : s_(s) {}
    void Joint(const Triangle& t, bool sideMode, int colour) override {
        Add(sideMode ? "J" : "j", colour);
        lastJoint = t;
    }
    void Segment(const Quad& q, int colour) override {
        Add("s", colour);
        lastSegment = q;
    }
    std::string log;
    Triangle lastJoint{};
    Quad lastSegment{};

private:
    void Add(const char* kind, int colour) {
        if (!log.empty()) log += ' ';
        log += kind;
        log += std::to_string(colour) + "@" + std::to_string(s_.draw.drawCol);
    }
    const GameState& s_;
};

std::string Pass(GameState& s, RecordingSink&& sink) {
    s.build.buildStage = RaiseHexWalls(s, s, sink);
    return sink.log;
}

TEST(HexWalls, PassesDrawTheirPiecesAtTheirColumnPhases) {
    test::HexGame game(305, 139);   // 7 x 2 cells: columns 0..30, the last pair ends at phase 6
    game.TicksInStage(0);
    game.TicksInStage(1);
    GameState s = game.s();
    ByteGrid closed;
    closed.Redim(s.maze().gridMaxY, s.maze().gridMaxX);   // every wall closed
    closed(0, 19) = 2;                                    // but the top of the third even cell
    s.UseMaze(MazeShape::Honeycomb(s.maze().cellsX, s.maze().cellsY), closed);
    s.draw.drawRow = 0;
    s.draw.drawPass = 0;
    s.draw.rowOffset = 0;
    s.build.buildStage = 4;

    EXPECT_EQ(Pass(s, RecordingSink(s)),
              "J3@2 J9@4 J3@10 J9@12 J3@18 J9@20 J3@26 J9@28 "
              "j8@2 s7@3 j5@4 j8@10 s7@11 j5@12 j8@18 j5@20 j8@26 s7@27 j5@28");
    EXPECT_EQ(Pass(s, RecordingSink(s)), "s4@1 s10@5 s4@9 s10@13 s4@17 s10@21 s4@25 s10@29");
    RecordingSink pass2(s);
    RaiseHexWalls(s, s, pass2);
    EXPECT_EQ(pass2.log,
              "J3@0 J9@6 J3@8 J9@14 J3@16 J9@22 J3@24 J9@30 "
              "j5@0 j8@6 s7@7 j5@8 j8@14 s7@15 j5@16 j8@22 s7@23 j5@24 j8@30");
    for (int j = 0; j < 3; ++j) {   // the last pair's joint 3, moved three pairs right
        EXPECT_DOUBLE_EQ(pass2.lastJoint[j].X, s.draw.jointTemplate[3][j].X + 9);
        EXPECT_DOUBLE_EQ(pass2.lastJoint[j].Y, s.draw.jointTemplate[3][j].Y);
    }
    EXPECT_EQ(Pass(s, RecordingSink(s)), "s10@1 s4@5 s10@9 s4@13 s10@17 s4@21 s10@25 s4@29");
    EXPECT_TRUE(s.draw.drawRow == 4 && s.draw.drawPass == 0 && s.draw.rowOffset == s.tables().sqrtThree);

    // The next cell row is the same pieces one cell deeper.
    RecordingSink row4(s);
    RaiseHexWalls(s, s, row4);
    EXPECT_DOUBLE_EQ(row4.lastSegment[2].Y, s.draw.wallTemplate[2][2].Y + s.tables().sqrtThree);
    for (int row = 5; row <= 8; ++row) Pass(s, RecordingSink(s));
    EXPECT_EQ(s.build.buildStage, 4);
    EXPECT_EQ(Pass(s, RecordingSink(s)), "");   // past the last row: only the switch to stage 5
    EXPECT_EQ(s.build.buildStage, 5);
}

TEST(HexWalls, ALargeHoneycombRaisesOneSegmentPerClosedWall) {
    test::HexGame game(305, 139);
    GameState s = game.s();
    const MazeShape size = SizeHexGrid(15983 * 15.0, 8981 * 15.0, s.tables().sqrtThree);   // a 16000 x 9000 window
    ByteGrid grid;
    grid.Redim(size.gridMaxY, size.gridMaxX);
    PathSteps steps(static_cast<size_t>(size.cellCount) + 1);
    GenerateHexMaze(s.tables().mixTableA, s.tables().mixTableB, s.tables().hexStepX, s.tables().hexStepY, [] { return 0.0; },
                    " 5", grid, size, steps, 0);
    s.UseMaze(size, std::move(grid));
    s.draw.drawRow = 0;
    s.draw.drawPass = 0;
    s.build.buildStage = 4;
    struct Counter : HexWallSink {
        void Joint(const Triangle&, bool, int) override { ++joints; }
        void Segment(const Quad&, int) override { ++segments; }
        int64_t joints = 0, segments = 0;
    } counter;
    while (s.build.buildStage == 4) s.build.buildStage = RaiseHexWalls(s, s, counter);
    // A perfect maze keeps all its wall slots closed but cellCount - 1 passages and the two openings.
    const int64_t pairs = s.maze().gridMaxX / 8 + 1;
    const int64_t wallSlots = pairs * (size.cellsY + 1) + 4 * pairs * size.cellsY + (pairs - 1) * size.cellsY;
    EXPECT_EQ(counter.segments, wallSlots - (size.cellCount - 1) - 2);
    EXPECT_EQ(counter.joints, 8 * pairs * size.cellsY + 4 * pairs);
}

}  // namespace
}  // namespace quivra
