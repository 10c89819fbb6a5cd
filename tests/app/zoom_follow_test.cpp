// SPDX-License-Identifier: GPL-3.0-or-later
// Zoomed in on the headless window: walking the correct path of a large maze to its end keeps the
// player in the middle half of the drawing area in the scene and in the plan; a step inside it
// repaints only its line, a step out of it draws the view again at once.
#include <gtest/gtest.h>

#include "render/plan_view.h"
#include "render/zoomed_view.h"
#include "tests/support/correct_path.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

using View = FrmMain::View;

struct ZoomedGame : test::HeadlessGame {
    ZoomedGame(const char* code, View view) : HeadlessGame(640, 480) {
        form.StartWithCode(*ParseMazeCode(code).maze);
        form.ShowIn(view);
        host.Show();
        host.RunTimer();
        for (int i = 0; i < 3; ++i) form.ZoomKey(1);
    }
    int Width() { return DrawAreaWidthPixels(host); }
    int Height() { return DrawAreaHeightPixels(host); }
    // The player as the zoomed picture shows it.
    PicturePoint Player() {
        const PicturePoint whole = form.CurrentView() == View::Plan
                                       ? PlanPlayerPoint(s(), PlanOptions{Width(), Height(), true, false, true})
                                       : ScenePlayerPoint(s(), s().View(), Height());
        return ZoomedPoint(form.Zoom(), whole, Width(), Height());
    }
};

TEST(ZoomFollow, TheWholeWalkStaysInTheMiddleHalf) {
    for (const View view : {View::Overview, View::Plan}) {
        for (const char* code : {"S60x40-38782719-4", "H61x41-16782719-F"}) {
            SCOPED_TRACE(testing::Message() << code << (view == View::Plan ? " plan" : " scene"));
            ZoomedGame g(code, view);
            ASSERT_TRUE(g.s().HasMaze());
            ASSERT_EQ(g.form.Zoom().level, 3);
            const ZoomView start = g.form.Zoom();
            int moved = 0;
            for (int key : test::CorrectPathKeys(g.s(), g.s().style() == MazeStyle::Honeycomb)) {
                const ZoomView before = g.form.Zoom();
                ASSERT_TRUE(g.host.PressKey(key));
                if (g.s().walk().exitReached) break;
                const PicturePoint p = g.Player();
                ASSERT_TRUE(InMiddleHalf(p, g.Width(), g.Height())) << p.x << ", " << p.y;
                moved += g.form.Zoom().centre.x != before.centre.x || g.form.Zoom().centre.y != before.centre.y;
            }
            EXPECT_GT(moved, 0);
            EXPECT_NE(g.form.Zoom().centre.y, start.centre.y);
        }
    }
}

TEST(ZoomFollow, AStepInsideTheMiddleHalfRepaintsOnlyItsLine) {
    ZoomedGame g("S60x40-38782719-4", View::Overview);
    ASSERT_TRUE(g.s().HasMaze());
    g.host.hDC().TakeTouched();
    bool inside = false, outside = false;
    for (int key : test::CorrectPathKeys(g.s(), false)) {
        const ZoomView before = g.form.Zoom();
        g.host.PressKey(key);
        const QRect touched = g.host.hDC().TakeTouched();
        if (g.form.Zoom().centre.x == before.centre.x && g.form.Zoom().centre.y == before.centre.y) {
            // One step's line: a cell or two of the zoomed picture, far less than the area.
            EXPECT_LT(touched.width() * touched.height(), g.Width() * g.Height() / 8);
            inside = true;
        } else {
            EXPECT_GE(touched.width(), g.Width() - 1);
            outside = true;
        }
        if (inside && outside) break;
    }
    EXPECT_TRUE(inside);
    EXPECT_TRUE(outside);
}

TEST(ZoomFollow, AClickLandsOnTheCellDrawnUnderThePointer) {
    for (const View view : {View::Overview, View::Plan}) {
        SCOPED_TRACE(view == View::Plan ? "plan" : "scene");
        ZoomedGame g("S60x40-38782719-4", view);
        // Where the next cell of the correct path is drawn, zoomed in.
        Game next = g.s();
        next.Step(g.s().Path().directions.front());
        PicturePoint at;
        if (view == View::Plan) {
            at = ZoomedPoint(g.form.Zoom(), PlanPlayerPoint(next, PlanOptions{g.Width(), g.Height(), true, false, true}),
                             g.Width(), g.Height());
        } else {
            ProjectExact(next.walk().playerSceneX, next.walk().playerSceneY, 2, g.form.ShownSceneView(), g.Height(), at.x,
                         at.y);
        }
        g.form.Form_PointerDown(at.x, at.y);
        EXPECT_EQ(g.s().walk().playerX, next.walk().playerX);
        EXPECT_EQ(g.s().walk().playerY, next.walk().playerY);
    }
}

TEST(ZoomFollow, ANewMazeKeepsTheLevelItsCellsAllow) {
    ZoomedGame g("S60x40-38782719-4", View::Overview);
    ASSERT_EQ(g.form.Zoom().level, 3);
    // 15 cells across 623 pixels draw 35.4 pixels a cell at the near edge; four times that is
    // within a third of the area's 441 rows, eight times is not.
    g.form.PlayMazeCode(*ParseMazeCode("S15x10-11882719-Y").maze);
    g.host.RunTimer();
    EXPECT_EQ(g.form.Zoom().level, 2);
    EXPECT_TRUE(InMiddleHalf(g.Player(), g.Width(), g.Height()));
}

}  // namespace
}  // namespace quivra
