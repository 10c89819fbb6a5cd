// SPDX-License-Identifier: GPL-3.0-or-later
// The view from inside, checked by what any picture of it must show: a straight corridor is its
// own mirror image, a wall just ahead fills the middle, the exit's light shows at the end of an
// open corridor, and the trail lies on the floor behind after turning round.
#include "render/first_person.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "render/scene_state.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

constexpr int kWidth = 400, kHeight = 300;

// A maze `depth` cells deep of nothing but one straight corridor of `length` cells down from the
// start (the way the eye faces at first), its exit at the end when it reaches the bottom and
// `exitOpen`. All else is walls.
Game Corridor(MazeStyle style, int length, int depth, bool exitOpen) {
    const MazeShape shape = style == MazeStyle::Square ? MazeShape::Square(2, depth) : MazeShape::Honeycomb(3, depth);
    const StyleRules& rules = RulesOf(style);
    Game probe;
    const int sx = rules.stepX(probe.tables(), rules.startHeading), sy = rules.stepY(probe.tables(), rules.startHeading);
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    int x = rules.startX, y = rules.startY;
    grid(y - sy, x - sx) = 1;   // the entrance above the start
    for (int i = 0; i < length; ++i, x += 2 * sx, y += 2 * sy) {
        grid(y, x) = 2;
        if (i + 1 < length) grid(y + sy, x + sx) = 2;
    }
    const int lastX = x - 2 * sx, lastY = y - 2 * sy;
    if (lastY + sy == shape.gridMaxY && exitOpen) grid(lastY + sy, lastX + sx) = 1;
    Game g;
    g.UseMaze(shape, grid);
    return g;
}

QImage Picture(const Game& g, bool map = false, const std::string& finish = "") {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(&image);
    const PaletteColors colours = GameColours();
    Canvas canvas{dc, kHeight, false, colours};
    FirstPersonOptions options;
    options.width = kWidth;
    options.height = kHeight;
    options.map = map;
    options.finish = finish;
    DrawFirstPerson(canvas, g, options);
    EXPECT_EQ(dc.LiveObjects(), 0);   // every brush and region freed
    return image;
}

QRgb Centre(const QImage& image) { return image.pixel(kWidth / 2, kHeight / 2); }

const char* Name(MazeStyle style) { return style == MazeStyle::Square ? "square" : "honeycomb"; }

TEST(FirstPersonPicture, AStraightCorridorIsItsOwnMirrorImage) {
    for (MazeStyle style : {MazeStyle::Square, MazeStyle::Honeycomb}) {
        for (bool exitOpen : {false, true}) {
            SCOPED_TRACE(std::string(Name(style)) + (exitOpen ? ", exit open" : ", exit closed"));
            const QImage image = Picture(Corridor(style, 5, 5, exitOpen));
            // Where a slanted edge passes exactly through a pixel's centre the rasterizer settles the
            // tie the same way on both sides, so a few pixels on such edges may differ; nothing else.
            int differ = 0;
            for (int y = 1; y + 1 < kHeight; ++y) {
                for (int x = 1; x < kWidth / 2; ++x) {
                    if (image.pixel(x, y) == image.pixel(kWidth - 1 - x, y)) continue;
                    ++differ;
                    const QRgb c = image.pixel(x, y);
                    const bool edge = image.pixel(x - 1, y) != c || image.pixel(x + 1, y) != c ||
                                      image.pixel(x, y - 1) != c || image.pixel(x, y + 1) != c;
                    EXPECT_TRUE(edge) << x << ", " << y;
                }
            }
            EXPECT_LT(differ, kWidth * kHeight / 500);
            // And it is a corridor: more than floor and ceiling.
            EXPECT_NE(image.pixel(2, kHeight / 2), image.pixel(kWidth / 2, 2));
        }
    }
}

TEST(FirstPersonPicture, AWallOneCellAheadFillsTheMiddleWithItsGrey) {
    // The wall faced square on is grey 10 of the game's palette (10 * 256 / 13 = 196).
    const QRgb facingGrey = qRgb(196, 196, 196);
    for (MazeStyle style : {MazeStyle::Square, MazeStyle::Honeycomb}) {
        SCOPED_TRACE(Name(style));
        const QImage image = Picture(Corridor(style, 2, 4, false));
        EXPECT_EQ(Centre(image), facingGrey);
        // It stands on the floor under the ceiling: neither shows in the middle, both above and below.
        const QRgb ceiling = image.pixel(kWidth / 2, 1), floor = image.pixel(kWidth / 2, kHeight - 2);
        EXPECT_NE(ceiling, facingGrey);
        EXPECT_NE(floor, facingGrey);
        EXPECT_NE(ceiling, floor);
        // A cell further away, the wall looks smaller: the ceiling comes down towards the middle.
        const QImage further = Picture(Corridor(style, 3, 4, false));
        EXPECT_EQ(Centre(further), facingGrey);
        int nearTop = 0, farTop = 0;
        while (nearTop < kHeight && image.pixel(kWidth / 2, nearTop) != facingGrey) ++nearTop;
        while (farTop < kHeight && further.pixel(kWidth / 2, farTop) != facingGrey) ++farTop;
        EXPECT_LT(farTop, kHeight / 2);
        EXPECT_GT(farTop, nearTop);
    }
}

TEST(FirstPersonPicture, TheExitsLightShowsAtTheEndOfAnOpenCorridor) {
    for (MazeStyle style : {MazeStyle::Square, MazeStyle::Honeycomb}) {
        SCOPED_TRACE(Name(style));
        const QImage closed = Picture(Corridor(style, 4, 4, false));
        const QImage open = Picture(Corridor(style, 4, 4, true));
        // Where the closed corridor ends in a wall, the open one shows something brighter than
        // anything else in its picture.
        const QRgb light = Centre(open);
        EXPECT_GT(qGray(light), qGray(Centre(closed)));
        int brighter = 0, lit = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                brighter += qGray(open.pixel(x, y)) > qGray(light);
                lit += open.pixel(x, y) == light;
            }
        }
        EXPECT_EQ(brighter, 0);
        // Only in the middle: the corridor's end, not the floor or ceiling around it.
        EXPECT_NE(open.pixel(kWidth / 2, 1), light);
        EXPECT_LT(lit, kWidth * kHeight / 20);
    }
}

// Turns until the player faces base direction d, then steps that way.
void WalkFacing(Game& g, int d) {
    for (int i = 0; i < g.Rules().directions && g.Heading() != d; ++i) g.PressFirstPersonKey(vk::kRight);
    g.PressFirstPersonKey(vk::kUp);
}

int GreenPixelsInTheLowerMiddle(const QImage& image) {
    int green = 0;
    for (int y = kHeight / 2; y < kHeight; ++y)
        for (int x = kWidth / 2 - 10; x < kWidth / 2 + 10; ++x) green += image.pixel(x, y) == qRgb(0, 255, 0);
    return green;
}

TEST(FirstPersonPicture, TheTrailJustWalkedLiesBehindTheEyeAfterTurningRound) {
    struct Case {
        const char* name;
        Game game;
    };
    Case cases[] = {{"square", Corridor(MazeStyle::Square, 5, 5, true)},
                    {"honeycomb", test::GameFromCode("H21x13-93782719-0")}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game& g = c.game;
        // Two steps: down the corridor, or along the honeycomb's correct path.
        std::vector<int> path = g.Path().directions;
        if (path.size() < 2) path = {g.Heading(), g.Heading()};
        WalkFacing(g, path[0]);
        WalkFacing(g, path[1]);
        ASSERT_EQ(g.Moves().size(), 2u);
        for (int i = 0; i < g.Rules().directions && g.Heading() != g.Rules().behind(path[1]); ++i) {
            g.PressFirstPersonKey(vk::kLeft);
        }
        ASSERT_EQ(g.Heading(), g.Rules().behind(path[1]));
        EXPECT_GT(GreenPixelsInTheLowerMiddle(Picture(g)), 20);
        // Facing on, the trail is out of sight behind.
        for (int i = 0; i < g.Rules().directions && g.Heading() != path[1]; ++i) g.PressFirstPersonKey(vk::kLeft);
        EXPECT_EQ(GreenPixelsInTheLowerMiddle(Picture(g)), 0);
    }
}

TEST(FirstPersonPicture, TheCornerMapShowsWhereThePlayerStands) {
    Game g = Corridor(MazeStyle::Square, 5, 5, true);
    const QImage without = Picture(g, false);
    const QImage with = Picture(g, true);
    // The map's corner differs, the middle stays the same, and the player's arrow is red.
    EXPECT_NE(with.pixel(kWidth - 20, 20), without.pixel(kWidth - 20, 20));
    EXPECT_EQ(Centre(with), Centre(without));
    int red = 0;
    for (int y = 0; y < kHeight / 2; ++y)
        for (int x = kWidth / 2; x < kWidth; ++x) red += with.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 4);
}

TEST(FirstPersonPicture, AFrameVisitsWhatIsVisibleNotTheMaze) {
    // The same corridor, in a maze with many more cells beside it behind its walls.
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    DeviceContext dc(&image);
    const PaletteColors colours = GameColours();
    Canvas canvas{dc, kHeight, false, colours};
    const Game small = Corridor(MazeStyle::Square, 4, 4, true);
    Game large = test::GameFromCode("S15x10-11882719-Y");
    FirstPersonOptions options{kWidth, kHeight, false, std::nullopt};
    const FirstPersonFrame corridor = DrawFirstPerson(canvas, small, options);
    const FirstPersonFrame maze = DrawFirstPerson(canvas, large, options);
    EXPECT_EQ(corridor.cells, 4);
    EXPECT_LT(maze.cells, 40);   // of 150
}

// The game's greys: index i is i * 256 / 13.
QRgb Grey(int index) { return qRgb(index * 256 / 13, index * 256 / 13, index * 256 / 13); }

TEST(FirstPersonPicture, TheGroundOutsideTheExitRunsIntoItsLight) {
    for (MazeStyle style : {MazeStyle::Square, MazeStyle::Honeycomb}) {
        SCOPED_TRACE(Name(style));
        // Down the middle column from the light: the ground outside (grey 11) lies under it, and
        // only when the exit is open.
        const auto groundUnderTheEnd = [](const QImage& image) {
            int ground = 0;
            for (int y = kHeight / 2; y < kHeight; ++y) ground += image.pixel(kWidth / 2, y) == Grey(11);
            return ground;
        };
        EXPECT_GT(groundUnderTheEnd(Picture(Corridor(style, 3, 3, true))), 3);
        EXPECT_EQ(groundUnderTheEnd(Picture(Corridor(style, 3, 3, false))), 0);
    }
}

TEST(FirstPersonPicture, TheCornerMapOfAFreshGameShowsTheMazesOutline) {
    // The map fills a third of the shorter side, top right, in grey 11; the outline is grey 8.
    const int size = kHeight / 3, margin = std::max(4, size / 20), left = kWidth - size - margin;
    for (const char* code : {"S15x10-11882719-Y", "H21x13-93782719-0", "S120x80-57782719-5"}) {
        SCOPED_TRACE(code);
        const QImage image = Picture(test::GameFromCode(code), true);
        int outline = 0, ground = 0;
        for (int y = margin; y < margin + size; ++y) {
            for (int x = left; x < left + size; ++x) {
                outline += image.pixel(x, y) == Grey(8);
                ground += image.pixel(x, y) == Grey(11);
            }
        }
        EXPECT_GT(ground, size * size / 2);
        // At least two sides' worth of the outline: never an empty box.
        EXPECT_GT(outline, size);
    }
}

TEST(FirstPersonPicture, WalkingOutShowsTheSummaryOverTheView) {
    // Writing needs the application's fonts.
    if (qGuiApp == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = qGuiApp != nullptr ? qGuiApp : new QGuiApplication(argc, argv);
    ASSERT_NE(app, nullptr);
    Game g = Corridor(MazeStyle::Square, 3, 3, true);
    const std::string summary = "恭喜!\n3 steps";
    const QImage walking = Picture(g, false, summary);
    for (int i = 0; i < 6 && !g.walk().exitReached; ++i) g.PressFirstPersonKey(vk::kUp);
    ASSERT_TRUE(g.walk().exitReached);
    const QImage out = Picture(g, false, summary), plain = Picture(g, false);
    // Over the middle a panel of the exit's light with dark writing on it; nothing before the exit
    // is reached, nor without a text.
    const auto written = [](const QImage& image) {
        int dark = 0;
        for (int y = kHeight / 3; y < kHeight * 2 / 3; ++y)
            for (int x = kWidth / 5; x < kWidth * 4 / 5; ++x) dark += qGray(image.pixel(x, y)) < 40;   // darker than the ceiling (grey 3)
        return dark;
    };
    EXPECT_EQ(out.pixel(kWidth / 10 + 2, kHeight / 3 + 2), Grey(12));
    EXPECT_GT(written(out), 20);
    EXPECT_EQ(written(plain), 0);
    EXPECT_EQ(written(walking), 0);
}

}  // namespace
}  // namespace quivra
