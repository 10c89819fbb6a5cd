// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and follow: the zoomed projection against points worked by hand, the follow rule, wheel and
// pinch turned into levels, picking through a zoom, and the zoomed scene drawn with only what the
// area shows equal to the one drawn whole.
#include <gtest/gtest.h>

#include <QImage>

#include "render/hint_line.h"
#include "render/plan_view.h"
#include "render/pick.h"
#include "render/scene.h"
#include "render/scene_common.h"
#include "render/zoomed_view.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// The worked example of the projection: a square maze of 10 by 8 cells in a 641 x 481 area.
ViewParams WorkedExample() { return SetupView(45, 10.25, 8.25, 641, 481); }

TEST(Zoom, TheZoomedProjectionScalesThePictureAboutTheCentre) {
    // The cell centre (5.5, 3.5) at the trail's height lies at (335.8408, 216.9595) of the whole
    // picture (worked by hand from the projection's formulas); zoomed in one level (twice the
    // scale) about it, it lands in the middle of the area, and every other point twice as far off.
    const ZoomView zoom{1, {335.8407511817658, 216.95954957685677}};
    const ViewParams view = ZoomedSceneView(WorkedExample(), zoom, 641, 481);
    struct Case {
        double x, y, z;
        POINT expected;
    } const cases[] = {
        {5.5, 3.5, 2, {320, 241}},        // the player's cell: the middle, 320.5 and 240.5
        {0, 0, 0, {-40, 179}},            // the far left corner (155.858, 186.185): -39.47, 178.95
        {10.25, 8.25, 0, {803, 769}},     // the near right corner (577.561, 481): 803.94, 768.58
        {0, 8.25, 2, {-309, 658}},        // a near wall top on the border (21.215, 425.568)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << ", " << c.z);
        EXPECT_EQ(ProjectPoint(c.x, c.y, c.z, view, 481), c.expected);
    }
    // And back: the middle of that pixel shows the player's cell centre.
    const std::optional<ScenePoint> back = PlanePointAt(320, 241, 2, 1, view, 481);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->X, 5.5, 1e-6);
    EXPECT_NEAR(back->Y, 3.5, 1e-6);
}

TEST(Zoom, TheViewFollowsOncePlayerLeavesTheMiddleHalf) {
    // A 400 x 300 area: the middle half is x 100..300, y 75..225 of the zoomed picture.
    struct Case {
        int level;
        PicturePoint player;   // in the whole picture
        bool moves;
    } const cases[] = {
        {1, {200, 150}, false},     // in the middle
        {1, {250, 150}, false},     // zoomed to x 300: on the edge of the middle half
        {1, {250.5, 150}, true},    // x 301: past it
        {1, {150, 150}, false},     // x 100
        {1, {149, 150}, true},      // x 98
        {1, {200, 112.5}, false},   // y 75
        {1, {200, 112}, true},      // y 74
        {1, {200, 188}, true},      // y 226
        {2, {225, 150}, false},     // four times: x 300
        {2, {226, 150}, true},      // x 304
        {0, {0, 0}, false},         // the whole maze never moves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " at " << c.player.x << ", " << c.player.y);
        const ZoomView view{c.level, {200, 150}};
        const ZoomView after = Follow(view, c.player, 400, 300);
        EXPECT_EQ(after.level, c.level);
        if (c.moves) {
            // Centred on the player again.
            EXPECT_EQ(after.centre.x, c.player.x);
            EXPECT_EQ(after.centre.y, c.player.y);
        } else {
            EXPECT_EQ(after.centre.x, 200);
            EXPECT_EQ(after.centre.y, 150);
        }
    }
}

TEST(Zoom, TheWheelZoomsAboutThePointer) {
    // From the whole 400 x 300 picture, a level in about (100, 75): that point stays where it is.
    const ZoomView in = ZoomAbout(ZoomView{}, 1, {100, 75}, {100, 75}, 3, 400, 300);
    EXPECT_EQ(in.level, 1);
    EXPECT_DOUBLE_EQ(in.centre.x, 150);
    EXPECT_DOUBLE_EQ(in.centre.y, 112.5);
    // Deeper than the limit stops at it; out past the whole maze is the whole maze.
    EXPECT_EQ(ZoomAbout(in, 5, {100, 75}, {100, 75}, 3, 400, 300).level, 3);
    EXPECT_FALSE(ZoomAbout(in, -4, {100, 75}, {100, 75}, 3, 400, 300).Zoomed());
    // A player the zoom would leave outside the middle half is followed.
    const ZoomView away = ZoomAbout(ZoomView{}, 1, {0, 0}, {300, 200}, 3, 400, 300);
    EXPECT_EQ(away.centre.x, 300);
    EXPECT_EQ(away.centre.y, 200);
}

TEST(Zoom, WheelNotchesAndPinchesGiveWholeLevels) {
    struct Case {
        bool pinch;
        std::vector<double> events;
        std::vector<int> levels;
    } const cases[] = {
        {false, {120}, {1}},         {false, {60, 60}, {0, 1}},        {false, {-120, -240}, {-1, -2}},
        {false, {90, 90, 90}, {0, 1, 1}},                                 // a touchpad's small turns
        {true, {2}, {1}},            {true, {1.5, 1.5}, {0, 1}},          {true, {0.5}, {-1}},
        {true, {0, -1}, {0, 0}},     // nonsense is ignored
    };
    for (const Case& c : cases) {
        ZoomSteps steps;
        std::vector<int> levels;
        for (double e : c.events) levels.push_back(c.pinch ? steps.FromPinch(e) : steps.FromWheel(e));
        EXPECT_EQ(levels, c.levels) << (c.pinch ? "pinch" : "wheel") << " " << c.events.front();
    }
}

TEST(Zoom, TheDeepestLevelLeavesACellAThirdOfTheArea) {
    EXPECT_EQ(MaxZoomLevel(2, 600, 300), 5);    // 64 pixels; 128 would pass 100
    EXPECT_EQ(MaxZoomLevel(1, 6000, 6000), kMaxZoomLevel);
    EXPECT_EQ(MaxZoomLevel(60, 600, 300), 0);
    EXPECT_EQ(MaxZoomLevel(0, 600, 300), 0);
}

// A walked game of a code, its scene set up for a 640 x 480 area.
struct Walked {
    Game game = test::GameFromCode("S15x10-11882719-Y");
    SceneState scene;
    Walked() {
        // Three steps along the correct path.
        const std::vector<int>& path = game.Path().directions;
        test::Walk(game, std::vector<int>(path.begin(), path.begin() + 3));
        SetUpSceneView(game, scene, 640, 480);
        scene.palette.paletteColors = GameColours();
    }
};

TEST(Zoom, ThePlayersCellIsUnderTheMiddleOfAZoomedPictureForPicking) {
    Walked w;
    const Cell player{w.game.walk().playerX, w.game.walk().playerY};
    ASSERT_NE(player.y, 1) << "the walk moved";
    // The plan.
    PlanOptions plan{640, 480, true, false, true};
    plan.zoom = ZoomOnPlayer(2, PlanPlayerPoint(w.game, plan));
    const std::optional<Cell> planned = PlanCellAt(w.game, plan, 320, 240);
    ASSERT_TRUE(planned);
    EXPECT_EQ(planned->x, player.x);
    EXPECT_EQ(planned->y, player.y);
    // Every point of the zoomed plan shows the cell its point of the whole plan shows: four times as
    // far from the player's cell centre.
    const PlanOptions whole{640, 480, true, false, true};
    const PicturePoint p = PlanPlayerPoint(w.game, whole);
    for (int y = 3; y < 480; y += 7) {
        for (int x = 5; x < 640; x += 11) {
            EXPECT_EQ(PlanCellAt(w.game, plan, x, y), PlanCellAt(w.game, whole, p.x + (x - 320) / 4.0, p.y + (y - 240) / 4.0))
                << x << ", " << y;
        }
    }
    // The scene.
    SceneState zoomed = w.scene;
    const ZoomView zoom = ZoomOnPlayer(2, ScenePlayerPoint(w.game, w.scene.View(), 480));
    zoomed.SetView(ZoomedSceneView(w.scene.View(), zoom, 640, 480));
    const std::optional<GridCell> picked = PickCell(w.game, zoomed, 320, 240, 1, 480);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->x, player.x);
    EXPECT_EQ(picked->y, player.y);
}

TEST(Zoom, TheHintsLineRunsFromThePlayerThroughTheNextCellsAsDrawn) {
    // Three steps down from the entrance; the way on is down, down, right (the code's correct path).
    Walked w;
    ASSERT_EQ(w.game.walk().playerX, 1);
    ASSERT_EQ(w.game.walk().playerY, 7);
    const std::vector<Cell> cells{{1, 9}, {1, 11}, {3, 11}};
    // Cell by cell in the plan, whole and zoomed in two levels about the player (four times the
    // cell, the player in the middle of the 640 x 480 area).
    const PlanOptions whole{640, 480, true, false, true};
    PlanOptions zoomed = whole;
    zoomed.zoom = ZoomOnPlayer(2, PlanPlayerPoint(w.game, whole));
    const double cell = PlanCellPixels(w.game, whole);
    const PicturePoint at = PlanPlayerPoint(w.game, whole);
    struct Case {
        const PlanOptions& plan;
        PicturePoint from;
        double step;
    } const cases[] = {{whole, at, cell}, {zoomed, {320, 240}, 4 * cell}};
    for (const Case& c : cases) {
        const std::vector<PicturePoint> line = PlanHintLine(w.game, c.plan, cells);
        ASSERT_EQ(line.size(), 4u);
        const PicturePoint expected[] = {c.from, {c.from.x, c.from.y + c.step}, {c.from.x, c.from.y + 2 * c.step},
                                         {c.from.x + c.step, c.from.y + 2 * c.step}};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(line[i].x, expected[i].x, 1e-6) << i;
            EXPECT_NEAR(line[i].y, expected[i].y, 1e-6) << i;
        }
    }
    // In the scene the line runs where the player is drawn after walking those steps.
    const std::vector<PicturePoint> scene = SceneHintLine(w.game, w.scene.View(), 480, cells);
    ASSERT_EQ(scene.size(), 4u);
    Game walked = w.game;
    const std::vector<int>& path = walked.Path().directions;
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) test::Walk(walked, {path[2 + i]});
        const PicturePoint p = ScenePlayerPoint(walked, w.scene.View(), 480);
        EXPECT_NEAR(scene[i].x, p.x, 1e-6) << i;
        EXPECT_NEAR(scene[i].y, p.y, 1e-6) << i;
    }
    EXPECT_TRUE(PlanHintLine(w.game, whole, {}).empty());
}

TEST(Zoom, AZoomedSceneLeavesOutOnlyWhatTheAreaDoesNotShow) {
    // Against every stage drawn through the zoomed view without leaving anything out.
    Walked w;
    for (int level : {1, 2, 3}) {
        for (const PicturePoint centre : {PicturePoint{320, 240}, PicturePoint{40, 400}, PicturePoint{600, 60}}) {
            SCOPED_TRACE(testing::Message() << "level " << level << " at " << centre.x << ", " << centre.y);
            const ZoomView zoom{level, centre};
            QImage drawn(700, 520, QImage::Format_RGB32), whole(700, 520, QImage::Format_RGB32);
            drawn.fill(Qt::white);
            whole.fill(Qt::white);
            DeviceContext dc(&drawn), wholeDc(&whole);
            Canvas canvas = MakeCanvas(dc, 480, w.scene);
            DrawZoomedScene(w.game, w.scene, canvas, 640, zoom);
            SceneState all = w.scene;
            all.SetView(ZoomedSceneView(w.scene.View(), zoom, 640, 480));
            Canvas wholeCanvas = MakeCanvas(wholeDc, 480, all);
            for (all.build.buildStage = kStageFirstDrawing; IsDrawingStage(w.game.style(), all.build.buildStage);) {
                all.build.buildStage = DrawStage(w.game, all, wholeCanvas).nextStage;
            }
            DrawTrailAndSolution(w.game, all, wholeCanvas);
            EXPECT_TRUE(drawn.copy(0, 0, 640, 480) == whole.copy(0, 0, 640, 480));
        }
    }
}

}  // namespace
}  // namespace quivra
