// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/gdi.h"

#include <gtest/gtest.h>

#include <climits>

namespace quivra {
namespace {

QImage WhiteImage(int width = 64, int height = 64) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(DeviceContext, HandlesAreCountedFreedOnceAndNeverConfusedAfterReuse) {
    DeviceContext dc;
    const POINT triangle[3] = {{0, 0}, {10, 0}, {0, 10}};
    const HBRUSH brush = dc.CreateSolidBrush(RGB(1, 2, 3));
    const HPEN pen = dc.CreatePen(PS_SOLID, 2, RGB(4, 5, 6));
    const HRGN region = dc.CreatePolygonRgn(triangle, 3, ALTERNATE);
    ASSERT_TRUE(brush != 0 && pen != 0 && region != 0);
    EXPECT_NE(dc.CreatePalette({{1, 2, 3, PC_NOCOLLAPSE}}), 0u);
    EXPECT_EQ(dc.LiveObjects(), 3) << "palettes are not counted";

    // A selected pen cannot be deleted, as in GDI; once replaced it can.
    const HGDIOBJ stockPen = dc.SelectObject(pen);
    EXPECT_FALSE(dc.DeleteObject(pen));
    EXPECT_EQ(dc.SelectObject(stockPen), pen);
    EXPECT_EQ(dc.SelectObject(brush), 0u) << "only pens are selected";

    EXPECT_TRUE(dc.DeleteObject(pen));
    EXPECT_TRUE(dc.DeleteObject(region));
    EXPECT_TRUE(dc.DeleteObject(brush));
    EXPECT_FALSE(dc.DeleteObject(brush)) << "double delete";

    // The freed slot is reused, but the old handle must not reach the new object.
    const HBRUSH reused = dc.CreateSolidBrush(RGB(9, 9, 9));
    EXPECT_FALSE(dc.DeleteObject(brush));
    EXPECT_FALSE(dc.DeleteObject(region));
    EXPECT_TRUE(dc.DeleteObject(reused));
    EXPECT_EQ(dc.LiveObjects(), 0);
}

TEST(DeviceContext, OutlinesWithoutAreaMakeNoRegion) {
    DeviceContext dc;
    const POINT line[4] = {{0, 0}, {5, 5}, {10, 10}, {-3, -3}};
    const POINT twoPoints[4] = {{1, 1}, {1, 1}, {7, 2}, {1, 1}};
    EXPECT_EQ(dc.CreatePolygonRgn(line, 4, ALTERNATE), 0u);
    EXPECT_EQ(dc.CreatePolygonRgn(twoPoints, 4, ALTERNATE), 0u);
    // Coordinates at the ends of the int range: the collinearity test must not overflow.
    const POINT wideLine[3] = {{INT_MIN, INT_MIN}, {0, 0}, {INT_MAX, INT_MAX}};
    const POINT thinTriangle[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MAX - 1, INT_MAX}};
    EXPECT_EQ(dc.CreatePolygonRgn(wideLine, 3, ALTERNATE), 0u);
    EXPECT_NE(dc.CreatePolygonRgn(thinTriangle, 3, ALTERNATE), 0u);
    // And just inside the range every projected corner stays in.
    constexpr int kNear = (1 << 30) - 1;
    const POINT nearLine[3] = {{-kNear, -kNear}, {0, 0}, {kNear, kNear}};
    const POINT nearThin[3] = {{-kNear, -kNear}, {kNear, kNear}, {kNear - 1, kNear}};
    EXPECT_EQ(dc.CreatePolygonRgn(nearLine, 3, ALTERNATE), 0u);
    EXPECT_NE(dc.CreatePolygonRgn(nearThin, 3, ALTERNATE), 0u);
    EXPECT_EQ(dc.LiveObjects(), 2);
}

TEST(DeviceContext, FillsUseTheAlternateRuleAndDrawNothingWithoutATarget) {
    QImage image = WhiteImage(100, 100);
    DeviceContext dc(&image);
    const HBRUSH brush = dc.CreateSolidBrush(RGB(255, 0, 0));
    // A five-pointed star drawn in one stroke: its centre is wound twice.
    const POINT star[5] = {{50, 5}, {79, 95}, {3, 39}, {97, 39}, {21, 95}};
    const HRGN alternate = dc.CreatePolygonRgn(star, 5, ALTERNATE);
    const HRGN winding = dc.CreatePolygonRgn(star, 5, WINDING);
    ASSERT_TRUE(dc.FillRgn(alternate, brush));
    EXPECT_EQ(image.pixel(50, 55), qRgb(255, 255, 255)) << "centre is left empty";
    EXPECT_EQ(image.pixel(50, 15), qRgb(255, 0, 0)) << "top point";
    EXPECT_EQ(image.pixel(5, 90), qRgb(255, 255, 255)) << "outside";
    ASSERT_TRUE(dc.FillRgn(winding, brush));
    EXPECT_EQ(image.pixel(50, 55), qRgb(255, 0, 0));

    const QImage before = image;
    dc.SetTarget(nullptr);
    EXPECT_FALSE(dc.FillRgn(alternate, brush));
    EXPECT_FALSE(dc.LineTo(10, 10));
    EXPECT_FALSE(dc.FillRgn(brush, alternate)) << "handles of the wrong kind";
    dc.SetTarget(&image);
    EXPECT_EQ(image, before);
    EXPECT_EQ(dc.LiveObjects(), 3);
}

TEST(DeviceContext, DrawingFollowsATargetWhosePixelsChange) {
    QImage image = WhiteImage(40, 40);
    DeviceContext dc(&image);
    const POINT square[4] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    const HBRUSH brush = dc.CreateSolidBrush(RGB(0, 0, 255));
    const HRGN region = dc.CreatePolygonRgn(square, 4, ALTERNATE);

    // A copy taken before drawing keeps its own pixels.
    const QImage copy = image;
    ASSERT_TRUE(dc.FillRgn(region, brush));
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_EQ(copy.pixel(15, 15), qRgb(255, 255, 255));

    // The host replaces its image (a resize): the old pixels are gone, drawing goes to the new ones.
    image = WhiteImage(80, 30);
    ASSERT_TRUE(dc.FillRgn(region, brush));
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 255));
    image.fill(Qt::black);   // the host clearing the window
    ASSERT_TRUE(dc.FillRgn(region, brush));
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(25, 15), qRgb(0, 0, 0));
}

// The box of the pixels that are no longer white.
QRect ChangedPixels(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(DeviceContext, TouchedRectangleCoversWhatALineAndAPolygonDrewAndLittleMore) {
    struct Drawing {
        const char* what;
        std::vector<POINT> polygon;   // a line from the first point to the second when it has two
        int penWidth;
    };
    const Drawing drawings[] = {
        {"thin diagonal line", {{10, 50}, {70, 12}}, 1},
        {"wide line", {{20, 20}, {60, 20}}, 2},
        {"very wide line", {{30, 40}, {30, 70}}, 9},
        {"triangle", {{15, 80}, {90, 60}, {40, 5}}, 0},
        {"quad partly off the image", {{-40, 70}, {30, 70}, {30, 130}, {-40, 130}}, 0},
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.what);
        QImage image = WhiteImage(100, 100);
        DeviceContext dc(&image);
        EXPECT_TRUE(dc.TakeTouched().isEmpty());
        if (d.polygon.size() == 2) {
            const HPEN pen = dc.CreatePen(PS_SOLID, d.penWidth, RGB(0, 0, 0));
            dc.SelectObject(pen);
            dc.MoveToEx(d.polygon[0].x, d.polygon[0].y, nullptr);
            ASSERT_TRUE(dc.LineTo(d.polygon[1].x, d.polygon[1].y));
        } else {
            const HRGN region = dc.CreatePolygonRgn(d.polygon.data(), static_cast<int>(d.polygon.size()), ALTERNATE);
            ASSERT_TRUE(dc.FillRgn(region, dc.CreateSolidBrush(RGB(0, 0, 0))));
        }
        const QRect changed = ChangedPixels(image);
        const QRect touched = dc.TakeTouched();
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_TRUE(touched.contains(changed)) << "touched " << touched.x() << "," << touched.y() << " "
                                               << touched.width() << "x" << touched.height();
        EXPECT_TRUE(image.rect().contains(touched));
        // A few pixels of slack around the drawing, more for a wide pen's rounding.
        EXPECT_LE(touched.width(), changed.width() + d.penWidth + 4);
        EXPECT_LE(touched.height(), changed.height() + d.penWidth + 4);
        EXPECT_TRUE(dc.TakeTouched().isEmpty()) << "asking starts afresh";
    }
}

TEST(DeviceContext, PaletteSelectionAndColourResolution) {
    DeviceContext dc;
    // The static colours of a palette display are in force while no palette is selected.
    EXPECT_EQ(dc.Resolve(PALETTEINDEX(9)), qRgb(166, 202, 240));
    EXPECT_EQ(dc.Resolve(PALETTEINDEX(20)), qRgb(0, 0, 0));
    EXPECT_EQ(dc.Resolve(RGB(10, 20, 30)), qRgb(10, 20, 30));

    std::vector<PALETTEENTRY> entries(16);
    for (int i = 0; i < 16; ++i) entries[i] = {static_cast<uint8_t>(i * 10), 7, 200, PC_NOCOLLAPSE};
    const HPALETTE game = dc.CreatePalette(entries);
    const HPALETTE saved = dc.SelectPalette(game, false);
    EXPECT_EQ(saved, dc.DefaultPalette());
    EXPECT_EQ(dc.RealizePalette(), 16);
    EXPECT_EQ(dc.Resolve(PALETTEINDEX(15)), qRgb(150, 7, 200));
    EXPECT_EQ(dc.Resolve(PALETTEINDEX(16)), qRgb(0, 0, 0)) << "past the end is black";
    EXPECT_FALSE(dc.DeleteObject(game)) << "selected";
    EXPECT_EQ(dc.SelectPalette(12345, false), 0u) << "not a palette";
    EXPECT_EQ(dc.SelectPalette(saved, false), game);
    EXPECT_EQ(dc.RealizePalette(), 20);
}

TEST(DeviceContext, AnswersTheScreenCapsTheHostReports) {
    DeviceContext dc(nullptr, ScreenCaps{1, 8, 20});
    EXPECT_EQ(dc.GetDeviceCaps(NUMCOLORS), 20);
    dc.SetScreenCaps(ScreenCaps{4, 1, 16});
    EXPECT_EQ(dc.GetDeviceCaps(PLANES), 4);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 1);
    EXPECT_EQ(dc.GetDeviceCaps(NUMCOLORS), 16);
}

}  // namespace
}  // namespace quivra
