// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/wall_pieces.h"
#include "tests/support/colours.h"

#include <gtest/gtest.h>

namespace quivra {
namespace {

constexpr int kHpx = 481;

class WallPiecesTest : public ::testing::Test {
protected:
    WallPiecesTest() : image_(641, kHpx, QImage::Format_RGB32), dc_(&image_) {
        image_.fill(Qt::white);
        colours_ = test::ExpectedColours();
        dc_.RecordFills(&fills_);
    }

    // The outline of the upright face over floor edge a-b: (a, 2), (b, 2), (b, 0), (a, 0).
    QPolygon Face(const ScenePoint& a, const ScenePoint& b) const {
        QPolygon polygon;
        for (const auto& [p, z] : {std::pair{a, 2.0}, std::pair{b, 2.0}, std::pair{b, 0.0}, std::pair{a, 0.0}}) {
            const POINT q = ProjectPoint(p.X, p.Y, z, view_, kHpx);
            polygon << QPoint(q.x, q.y);
        }
        return polygon;
    }

    static Quad Block(double left, double right) {
        return {ScenePoint{left, 0}, ScenePoint{right, 0}, ScenePoint{right, 0.25}, ScenePoint{left, 0.25}};
    }

    QImage image_;
    DeviceContext dc_;
    PaletteColors colours_{};
    Canvas canvas_{dc_, kHpx, false, colours_};
    ViewParams view_ = SetupView(45, 10.25, 8.25, 641, kHpx);
    std::vector<FillRecord> fills_;
};

TEST_F(WallPiecesTest, EndFacesAreDrawnOnlyWhenTurnedTowardsTheMiddle) {
    const Quad left = Block(0, 1);
    DrawWallEnds(canvas_, view_, left);
    ASSERT_EQ(fills_.size(), 1u);
    EXPECT_EQ(fills_[0].colour, colours_[4]);
    EXPECT_EQ(fills_[0].polygon, Face(left[2], left[1])) << "right end, 1-2";

    fills_.clear();
    const Quad right = Block(6, 7);
    DrawWallEnds(canvas_, view_, right);
    ASSERT_EQ(fills_.size(), 1u);
    EXPECT_EQ(fills_[0].colour, colours_[10]);
    EXPECT_EQ(fills_[0].polygon, Face(right[0], right[3])) << "left end, 0-3";

    fills_.clear();
    DrawWallEnds(canvas_, view_, Block(5, 6));        // straddles the middle, 5.125
    // A corner exactly on the middle; the far corners slant so that a wrongly drawn end would show.
    DrawWallEnds(canvas_, view_, {ScenePoint{5.125, 0}, ScenePoint{6, 0}, ScenePoint{6, 0.25}, ScenePoint{5.5, 0.25}});
    DrawWallEnds(canvas_, view_, {ScenePoint{4, 0}, ScenePoint{5.125, 0}, ScenePoint{4.75, 0.25}, ScenePoint{4, 0.25}});
    EXPECT_TRUE(fills_.empty());
    EXPECT_EQ(dc_.LiveObjects(), 0);
}

TEST_F(WallPiecesTest, SegmentDrawsTheNearFaceThenTheTop) {
    const Quad block = {ScenePoint{2, 3}, ScenePoint{5, 3}, ScenePoint{5, 3.25}, ScenePoint{2, 3.25}};
    DrawWallSegment(canvas_, view_, block, 8);
    ASSERT_EQ(fills_.size(), 2u);
    EXPECT_EQ(fills_[0].colour, colours_[8]);
    EXPECT_EQ(fills_[0].polygon, Face(block[3], block[2])) << "near face, 3-2";
    EXPECT_EQ(fills_[1].colour, colours_[12]);
    ASSERT_EQ(fills_[1].polygon.size(), 4);
    EXPECT_EQ(fills_[1].polygon[3], fills_[0].polygon[0]) << "the top covers the face's upper edge";

    // No depth: the near face still shows, the top has no area and fills nothing.
    fills_.clear();
    const Quad flat = {ScenePoint{2, 5}, ScenePoint{5, 5}, ScenePoint{5, 5}, ScenePoint{2, 5}};
    DrawWallSegment(canvas_, view_, flat, 8);
    ASSERT_EQ(fills_.size(), 1u);
    EXPECT_EQ(fills_[0].colour, colours_[8]);
    EXPECT_EQ(dc_.LiveObjects(), 0);
}

TEST_F(WallPiecesTest, JointSideFaceFollowsTheSideOfTheMiddle) {
    // Left of the middle, corner 1 right of corner 0: the face 2-1 in 3, whatever the caller asks.
    const Triangle leftJoint = {ScenePoint{2, 4}, ScenePoint{2.5, 3.5}, ScenePoint{3, 4}};
    DrawWallJoint(canvas_, view_, leftJoint, true, 7);
    ASSERT_EQ(fills_.size(), 1u);
    EXPECT_EQ(fills_[0].colour, colours_[3]);
    EXPECT_EQ(fills_[0].polygon, Face(leftJoint[2], leftJoint[1]));

    // Right of the middle, corner 1 left of corner 2: the face 1-0 in 9.
    fills_.clear();
    const Triangle rightJoint = {ScenePoint{7, 4}, ScenePoint{7.5, 3.5}, ScenePoint{8, 4}};
    DrawWallJoint(canvas_, view_, rightJoint, true, 7);
    ASSERT_EQ(fills_.size(), 1u);
    EXPECT_EQ(fills_[0].colour, colours_[9]);
    EXPECT_EQ(fills_[0].polygon, Face(rightJoint[1], rightJoint[0]));

    // Corner 1 on the middle, or turned the other way: no side face.
    fills_.clear();
    DrawWallJoint(canvas_, view_, {ScenePoint{4.625, 4}, ScenePoint{5.125, 3.5}, ScenePoint{5.625, 4}}, true, 7);
    DrawWallJoint(canvas_, view_, {ScenePoint{3, 4}, ScenePoint{2.5, 3.5}, ScenePoint{2, 4}}, true, 7);
    EXPECT_TRUE(fills_.empty());

    // Without side mode: the face 0-2 in the caller's colour, then the top triangle in 12.
    DrawWallJoint(canvas_, view_, leftJoint, false, 5);
    ASSERT_EQ(fills_.size(), 2u);
    EXPECT_EQ(fills_[0].colour, colours_[5]);
    EXPECT_EQ(fills_[0].polygon, Face(leftJoint[0], leftJoint[2]));
    EXPECT_EQ(fills_[1].colour, colours_[12]);
    EXPECT_EQ(fills_[1].polygon.size(), 3);
    EXPECT_EQ(dc_.LiveObjects(), 0);
}

}  // namespace
}  // namespace quivra
