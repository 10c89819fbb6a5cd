// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/wall_pieces.h"
#include "tests/support/colours.h"

namespace quivra {
namespace {

PaletteColors GameColours() { return test::ExpectedColours(); }

// A square maze of 10 by 8 cells in a 641 x 481 drawing area.
constexpr double kWidth = 10.25;
constexpr double kDepth = 8.25;
constexpr int kHpx = 481;

TEST(Projection, ViewSetUpOfTheTenByEightMaze) {
    const ViewParams view = SetupView(45, kWidth, kDepth, 641, kHpx);
    EXPECT_NEAR(view.scaleX, 50.2558, 1e-4);
    EXPECT_NEAR(view.scaleY, 56.5440, 1e-4);
    EXPECT_NEAR(view.widthRatio, 1.242424, 1e-6);
    EXPECT_DOUBLE_EQ(view.viewSpan, 10.25);
    EXPECT_DOUBLE_EQ(SetupView(45, 6.25, 9.25, 641, kHpx).viewSpan, 9.25);
}

TEST(Projection, WorkedExamplesToThePixel) {
    const ViewParams tilt45 = SetupView(45, kWidth, kDepth, 641, kHpx);
    EXPECT_EQ(ProjectPoint(0, 0, 0, tilt45, kHpx), (POINT{155, 187}));
    EXPECT_EQ(ProjectPoint(10.25, 0, 0, tilt45, kHpx), (POINT{484, 187}));
    EXPECT_EQ(ProjectPoint(0, 8.25, 0, tilt45, kHpx), (POINT{62, 481}));
    EXPECT_EQ(ProjectPoint(10.25, 8.25, 0, tilt45, kHpx), (POINT{577, 481}));
    EXPECT_EQ(ProjectPoint(0, 8.25, 2, tilt45, kHpx), (POINT{21, 426}));
    EXPECT_EQ(ProjectPoint(10.25, 8.25, 2, tilt45, kHpx), (POINT{618, 426}));

    for (const auto& [tilt, far] : {std::pair{30, POINT{168, 248}}, std::pair{60, POINT{136, 127}}}) {
        const ViewParams view = SetupView(tilt, kWidth, kDepth, 641, kHpx);
        EXPECT_EQ(ProjectPoint(0, 0, 0, view, kHpx), far) << tilt;
        EXPECT_EQ(ProjectPoint(0, 8.25, 0, view, kHpx), (POINT{62, 481})) << tilt;
    }

    // Left of the window: x = -2 on the near edge is -0.7576 units, -38.07 pixels, which floors to -39.
    EXPECT_EQ(ProjectPoint(-2, 8.25, 0, tilt45, kHpx).x, -39);
    // The drawing height moves every row by the same amount.
    EXPECT_EQ(ProjectPoint(0, 0, 0, tilt45, kHpx + 100), (POINT{155, 287}));
}

// The written rule: one divide per corner, the library floor.
POINT Reference(double x, double y, double z, const ViewParams& v, int hpx) {
    const double w = v.sceneWidth, h = v.sceneDepth, d = v.viewSpan;
    const double depth = (h - y) * v.viewCos - z * v.viewSin;
    const double height = (h - y) * v.viewSin + z * v.viewCos;
    const double f = d / (d + depth);
    const double xs = (x - w / 2.0) * f + w / 2.0 + v.widthRatio;
    const double ys = (height - h / 2.0) * f + h / 2.0;
    return {static_cast<int32_t>(std::floor(xs * v.scaleX)), static_cast<int32_t>(hpx - std::floor(ys * v.scaleY))};
}

TEST(Projection, CornersOfQuadsAndSinglePointsFollowTheWrittenRule) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> unit(0, 1);
    int compared = 0;
    for (int i = 0; i < 200; ++i) {
        const double width = 3 + 150 * unit(rng), depth = 2 + 90 * unit(rng);
        const int wpx = 50 + static_cast<int>(4000 * unit(rng)), hpx = 50 + static_cast<int>(2200 * unit(rng));
        const ViewParams view = SetupView(30 + static_cast<int>(31 * unit(rng)), width, depth, wpx, hpx);
        QImage image(8, 8, QImage::Format_RGB32);
        DeviceContext dc(&image);
        const PaletteColors colours = GameColours();
        Canvas canvas{dc, hpx, false, colours};
        std::vector<FillRecord> fills;
        dc.RecordFills(&fills);
        // An upright face: two corners on each (y, z) row, as the wall pieces draw them.
        const double x1 = width * unit(rng), x2 = width * unit(rng), y1 = depth * unit(rng), y2 = depth * unit(rng);
        const double z = 2 * unit(rng);
        EXPECT_EQ(ProjectPoint(x1, y1, z, view, hpx), Reference(x1, y1, z, view, hpx));
        DrawQuad(canvas, view, x1, y1, 2, x2, y1, 2, x2, y2, 0, x1, y2, 0, 7);
        DrawTriangle(canvas, view, x1, y1, z, x2, y1, z, x2, y2, z, 7);
        const POINT corners[7] = {Reference(x1, y1, 2, view, hpx), Reference(x2, y1, 2, view, hpx),
                                  Reference(x2, y2, 0, view, hpx), Reference(x1, y2, 0, view, hpx),
                                  Reference(x1, y1, z, view, hpx), Reference(x2, y1, z, view, hpx),
                                  Reference(x2, y2, z, view, hpx)};
        std::vector<QPoint> expected, drawn;
        for (const POINT& p : corners) expected.emplace_back(p.x, p.y);
        for (const FillRecord& f : fills) drawn.insert(drawn.end(), f.polygon.begin(), f.polygon.end());
        if (drawn.size() == expected.size()) {   // a flat outline draws nothing
            EXPECT_EQ(drawn, expected);
            ++compared;
        }
    }
    EXPECT_GT(compared, 150);
}

TEST(Projection, DegenerateViewsStayFiniteAndInRange) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr int32_t kLimit = 1 << 30;
    struct Case {
        double angle, width, depth;
        int wpx, hpx;
    };
    // Two units wide, narrower, nothing at all, one pixel, no area, no angle, no end.
    const Case cases[] = {{45, 2.0, 1.25, 641, 481}, {45, 1.25, 1.25, 641, 481}, {45, 0.0, 0.0, 641, 481},
                          {45, 10.25, 8.25, 1, 1},    {45, 10.25, 8.25, 0, -5},   {kNaN, 10.25, 8.25, 641, 481},
                          {45, kInf, 8.25, 641, 481}};
    for (const Case& c : cases) {
        const ViewParams view = SetupView(c.angle, c.width, c.depth, c.wpx, c.hpx);
        EXPECT_TRUE(!std::isfinite(c.width) || (std::isfinite(view.scaleX) && std::isfinite(view.widthRatio)));
        for (const double x : {0.0, c.width / 2, c.width, -1e300, 1e300}) {
            for (const double z : {0.0, 2.0}) {
                const POINT p = ProjectPoint(x, c.depth, z, view, c.hpx);
                EXPECT_LE(std::abs(int64_t{p.x}), kLimit);
                EXPECT_LE(std::abs(int64_t{p.y} - c.hpx), int64_t{kLimit} + 1);
            }
        }
    }
    // The viewer standing at a point: the perspective factor divides by zero.
    const ViewParams tilt45 = SetupView(45, kWidth, kDepth, 641, kHpx);
    const double atViewer = kDepth + tilt45.viewSpan / tilt45.viewCos;
    const POINT p = ProjectPoint(0, atViewer, 0, tilt45, kHpx);
    EXPECT_LE(std::abs(int64_t{p.x}), kLimit);
}

class PrimitivesTest : public ::testing::Test {
protected:
    PrimitivesTest() : image_(200, 150, QImage::Format_RGB32), dc_(&image_) { image_.fill(Qt::white); }

    QImage image_;
    DeviceContext dc_;
    PaletteColors colours_ = GameColours();
    Canvas canvas_{dc_, 150, false, colours_};
    std::vector<FillRecord> fills_;
};

TEST_F(PrimitivesTest, FillsColoursAndTheAlternateRule) {
    dc_.RecordFills(&fills_);
    // A bow tie: the outline crosses itself at (50, 50). Colour 16 is black, given as the table value.
    const POINT bowTie[4] = {{10, 10}, {90, 90}, {90, 10}, {10, 90}};
    FillQuad(canvas_, bowTie, 16);
    EXPECT_EQ(image_.pixel(20, 50), qRgb(0, 0, 0)) << "left lobe";
    EXPECT_EQ(image_.pixel(80, 50), qRgb(0, 0, 0)) << "right lobe";
    EXPECT_EQ(image_.pixel(50, 20), qRgb(255, 255, 255)) << "between the lobes";
    Canvas paletted{dc_, 150, true, colours_};
    const POINT triangle[3] = {{100, 10}, {150, 10}, {100, 60}};
    FillTriangle(paletted, triangle, 7);
    ASSERT_EQ(fills_.size(), 2u);
    EXPECT_EQ(fills_[0].colour, RGB(0, 0, 0));
    EXPECT_EQ(fills_[1].colour, PALETTEINDEX(7));

    // Corners along one floor line project onto one row, corners on the centre column onto one column.
    const QImage before = image_;
    const ViewParams view = SetupView(45, kWidth, kDepth, 201, 150);
    DrawQuad(canvas_, view, 1, 3, 0, 2, 3, 0, 3, 3, 0, 4, 3, 0, 5);
    DrawTriangle(canvas_, view, 5.125, 1, 0, 5.125, 2, 0, 5.125, 3, 0, 5);
    EXPECT_EQ(fills_.size(), 2u);
    EXPECT_EQ(image_, before);
    EXPECT_EQ(dc_.LiveObjects(), 0);
}

TEST_F(PrimitivesTest, EveryProcedureFreesWhatItMakesEvenWhenCreationFails) {
    const ViewParams view = SetupView(45, kWidth, kDepth, 201, 150);
    const Quad block = {ScenePoint{1, 1}, ScenePoint{3, 1}, ScenePoint{3, 1.25}, ScenePoint{1, 1.25}};
    const Triangle joint = {ScenePoint{7, 2}, ScenePoint{7.5, 2.5}, ScenePoint{8, 2}};
    const auto drawAll = [&] {
        DrawQuad(canvas_, view, 1, 1, 0, 4, 1, 0, 4, 4, 0, 1, 4, 0, 6);
        DrawTriangle(canvas_, view, 5, 5, 0, 7, 5, 0, 5, 7, 2, 8);
        DrawWallSegment(canvas_, view, block, 7);
        DrawWallEnds(canvas_, view, block);
        DrawWallJoint(canvas_, view, joint, false, 5);
        DrawWallJoint(canvas_, view, joint, true, 5);
        DrawPathSegment(canvas_, 14, 0.5, 0.5, 0.5, 1.5, view);
    };
    const QImage blank = image_;
    drawAll();
    EXPECT_EQ(dc_.LiveObjects(), 0);
    EXPECT_NE(image_, blank);

    for (int skip = 0; skip < 17; ++skip) {   // drawAll makes 17 objects
        image_ = blank;
        dc_.FailNextCreations(1, skip);
        drawAll();
        EXPECT_EQ(dc_.LiveObjects(), 0) << "failure after " << skip << " creations";
    }
    dc_.FailNextCreations(1000);
    image_ = blank;
    drawAll();
    EXPECT_EQ(image_, blank) << "no brush, no pen: nothing drawn";
}

TEST_F(PrimitivesTest, PathSegmentIsATwoPixelLineAtWallHeight) {
    const ViewParams view = SetupView(45, kWidth, kDepth, 201, 150);
    DrawPathSegment(canvas_, 13, 1, 4, 9, 4, view);
    const POINT middle = ProjectPoint(5, 4, 2, view, 150);
    int rows = 0;
    for (int y = 0; y < image_.height(); ++y) rows += image_.pixel(middle.x, y) == qRgb(255, 255, 0);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(image_.pixel(middle.x, middle.y), qRgb(255, 255, 0));
    EXPECT_EQ(dc_.LiveObjects(), 0) << "the pen was deselected before it was deleted";
}

// What a palette display shows with the game palette selected must match a true-colour display.
TEST(Picture, PaletteAndTrueColourDrawingsMatchPixelForPixel) {
    const PaletteColors colours = GameColours();
    const auto draw = [&](bool usePalette) {
        QImage image(321, 241, QImage::Format_RGB32);
        image.fill(Qt::white);
        DeviceContext dc(&image, usePalette ? ScreenCaps{1, 8, 20} : ScreenCaps{});
        HPALETTE saved = 0;
        if (usePalette) {
            std::vector<PALETTEENTRY> entries;
            for (int i = 0; i < 16; ++i) {
                const QRgb c = dc.Resolve(colours[i]);
                entries.push_back({uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)), PC_NOCOLLAPSE});
            }
            saved = dc.SelectPalette(dc.CreatePalette(entries), false);
            dc.RealizePalette();
        }
        Canvas canvas{dc, 241, usePalette, colours};
        const ViewParams view = SetupView(40, kWidth, kDepth, 321, 241);
        DrawQuad(canvas, view, 0, 0, 0, kWidth, 0, 0, kWidth, kDepth, 0, 0, kDepth, 0, 6);
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 10; ++col) {
                const Quad block = {ScenePoint{col + 0.0, row + 0.0}, ScenePoint{col + 1.25, row + 0.0},
                                    ScenePoint{col + 1.25, row + 0.25}, ScenePoint{col + 0.0, row + 0.25}};
                DrawWallEnds(canvas, view, block);
                DrawWallSegment(canvas, view, block, (row + col) % 17);
            }
        }
        DrawWallJoint(canvas, view, {ScenePoint{4, 8}, ScenePoint{4.5, 7.5}, ScenePoint{5, 8}}, false, 16);
        for (int i = 13; i <= 16; ++i) DrawPathSegment(canvas, i, 0.5 + i - 13, 0.5, 0.5 + i - 13, 6.5, view);
        if (usePalette) dc.SelectPalette(saved, false);
        return image;
    };
    const QImage paletted = draw(true);
    EXPECT_EQ(paletted, draw(false));
    EXPECT_NE(paletted.pixel(160, 200), qRgb(255, 255, 255)) << "the scene was drawn";
}

}  // namespace
}  // namespace quivra
