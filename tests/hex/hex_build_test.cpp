// The honeycomb build through the headless host: sizing, the stage machine, the finished scene.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "hex_test_util.h"
#include "render/hex_scene.h"

namespace quivra {
namespace {

using test::Grey;
using test::HexGame;

const double kRoot3 = std::sqrt(3.0);

TEST(HexSizing, ColumnsRowsAndGridFromTheDrawingArea) {
    // Drawing widths from the worked examples: 4 -> 3, 6 -> 5 (even counts drop by one), 7 stays.
    EXPECT_EQ(SizeHexGrid(2880, 2000, kRoot3).cellsX, 3);
    EXPECT_EQ(SizeHexGrid(1000, 2000, kRoot3).cellsX, 3);
    EXPECT_EQ(SizeHexGrid(3960, 2000, kRoot3).cellsX, 5);
    const HexGridSize seven = SizeHexGrid(4320, 1800, kRoot3);
    EXPECT_EQ(seven.cellsX, 7);
    EXPECT_EQ(seven.gridMaxX, 30);
    EXPECT_EQ(seven.gridMaxY, 4 * seven.cellsY);
    EXPECT_EQ(seven.cellCount, 7 * seven.cellsY - 3);

    // A shallow area gives the minimum of 2 rows; a deeper one more.
    EXPECT_EQ(SizeHexGrid(2880, 1200, kRoot3).cellsY, 2);
    EXPECT_EQ(SizeHexGrid(2880, 0, kRoot3).cellsY, 2);
    EXPECT_EQ(SizeHexGrid(2880, 5715, kRoot3).cellsY, 5);

    // No drawing width at all (a window narrower than the scroll bar): the smallest grid.
    for (double width : {0.0, -15.0, -240.0}) {
        const HexGridSize g = SizeHexGrid(width, 3000, kRoot3);
        EXPECT_EQ(g.cellsX, 3);
        EXPECT_EQ(g.cellsY, 2);
        EXPECT_EQ(g.gridMaxX, 14);
        EXPECT_EQ(g.gridMaxY, 8);
        EXPECT_EQ(g.cellCount, 5);
    }

    // A 16000 x 9000 pixel window is far past 16-bit sizes and still consistent.
    const HexGridSize big = SizeHexGrid((16000 - 17) * 15.0, (9000 - 19) * 15.0, kRoot3);
    EXPECT_GT(big.cellsX, 400);
    EXPECT_EQ(big.cellsX % 2, 1);
    EXPECT_GT(big.cellsY, 200);
    EXPECT_EQ(big.gridMaxX, (big.cellsX / 2) * 8 + 6);
    EXPECT_EQ(big.gridMaxY, 4 * big.cellsY);
    EXPECT_EQ(big.cellCount, big.cellsX * big.cellsY - big.cellsX / 2);
}

TEST(HexBuild, StageZeroSizesGeneratesAndPlacesThePlayer) {
    // 2880 twips of drawing width, 100 pixels high: 3 columns, 2 rows.
    HexGame game(209, 100);
    ASSERT_EQ(test::ClientWidthForTwips(game.host, 2880), 209);
    game.host.TickTimer();
    GameState& s = game.s();
    EXPECT_EQ(s.buildStage, 1);
    EXPECT_EQ(s.cellsX, 3);
    EXPECT_EQ(s.cellsY, 2);
    EXPECT_EQ(s.gridMaxX, 14);
    EXPECT_EQ(s.gridMaxY, 8);
    EXPECT_EQ(s.cellCount, 5);
    EXPECT_EQ(s.mazeGrid.MaxX(), 14);
    EXPECT_EQ(s.walkGrid.MaxY(), 8);
    EXPECT_EQ(s.pathSteps.size(), 6u);
    EXPECT_FALSE(s.needNewMaze);
    EXPECT_FALSE(s.needViewSetup);
    EXPECT_EQ(game.host.ScaleMode(), kScalePixels);
    EXPECT_EQ(s.viewAngle, 45);
    EXPECT_DOUBLE_EQ(s.sceneWidth, 2 * 3.0 / 2 + 2 + 0.25 / kRoot3);
    EXPECT_DOUBLE_EQ(s.sceneDepth, 2 * kRoot3 + 0.25);
    EXPECT_EQ(s.playerX, 3);
    EXPECT_EQ(s.playerY, 2);
    EXPECT_DOUBLE_EQ(s.playerSceneX, 1.0);
    EXPECT_DOUBLE_EQ(s.playerSceneY, kRoot3 / 2);
    EXPECT_EQ(s.walkGrid(2, 3), 1);
    EXPECT_EQ(s.mazeGrid(0, 3), 1);   // the entrance
    for (int y = 0; y <= s.gridMaxY; ++y) {
        for (int x = 0; x <= s.gridMaxX; ++x) {
            if (y == 2 && x == 3) continue;
            ASSERT_EQ(s.walkGrid(y, x), s.mazeGrid(y, x) != 0 ? 2 : 0) << y << "," << x;
        }
    }
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_TRUE(game.host.Timer1Enabled());

    // The exact values of the column-pair templates.
    game.host.TickTimer();
    EXPECT_EQ(s.buildStage, 2);
    EXPECT_EQ(s.drawRow, 0);
    const auto& J = s.jointTemplate;
    const auto& T = s.wallTemplate;
    EXPECT_NEAR(J[1][1].X, 0.644338, 1e-6);
    EXPECT_NEAR(J[1][0].X, 0.427831, 1e-6);
    EXPECT_NEAR(J[0][2].X, 0.216506, 1e-6);
    EXPECT_NEAR(J[2][2].X, 1.716506, 1e-6);
    EXPECT_NEAR(J[3][0].X, 1.927831, 1e-6);
    EXPECT_NEAR(J[3][1].X, 2.144338, 1e-6);
    EXPECT_NEAR(J[3][0].Y, 0.991025, 1e-6);
    EXPECT_NEAR(J[3][2].Y, 1.116025, 1e-6);
    EXPECT_NEAR(T[0][2].Y, 1.857051, 1e-6);
    EXPECT_NEAR(T[4][1].X, 3.0, 1e-12);
    EXPECT_NEAR(T[4][2].X, 3.0, 1e-12);
    EXPECT_NEAR(T[5][3].X, 1.716506, 1e-6);
    EXPECT_DOUBLE_EQ(s.quadWork[0][1].X, s.sceneWidth - J[1][1].X);
    EXPECT_DOUBLE_EQ(s.quadWork[3][2].Y, kRoot3);
}

TEST(HexBuild, StepsPerStageAndTheFinishedRun) {
    // 4320 twips across (7 columns) and 120 pixels deep (2 rows).
    HexGame game(305, 139);
    GameState& s = game.s();
    EXPECT_EQ(game.TicksInStage(0), 1);
    ASSERT_EQ(s.cellsX, 7);
    ASSERT_EQ(s.cellsY, 2);
    EXPECT_EQ(game.TicksInStage(1), 1);
    EXPECT_EQ(game.TicksInStage(2), 2 + 1);       // cellsY rows and the switch
    EXPECT_EQ(game.TicksInStage(3), 7 / 2 + 1 + 1);   // column pairs and the switch
    EXPECT_EQ(s.drawRow, 0);
    EXPECT_EQ(s.drawPass, 0);
    EXPECT_EQ(s.rowOffset, 0);
    EXPECT_FALSE(game.host.MenuEnabled(Menu::Action, kShowSolution));
    EXPECT_TRUE(s.drawInProgress);
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_EQ(game.TicksInStage(4), s.gridMaxY + 1 + 1);
    EXPECT_EQ(s.buildStage, 5);
    EXPECT_FALSE(game.host.Timer1Enabled());
    EXPECT_FALSE(s.drawInProgress);
    EXPECT_EQ(game.host.Text1Text(), kHexHint);
    EXPECT_TRUE(game.host.MenuEnabled(Menu::Action, kShowSolution));
    EXPECT_TRUE(game.host.MenuEnabled(Menu::Action, kClear));
    EXPECT_EQ(s.lineColorIndex, 14);   // the entrance stub of the start cell
    EXPECT_TRUE(game.Near(1.0, kRoot3 / 4, 2, qRgb(0, 255, 0)));

    // A step at stage 5 or 6 only lets events run.
    const int doEvents = game.host.doEventsCalls;
    const QImage before = game.host.Image();
    for (uint8_t stage : {5, 6, 7}) {
        s.buildStage = stage;
        BuildHexScene(s, game.host);
        EXPECT_EQ(s.buildStage, stage);
        EXPECT_FALSE(game.host.Timer1Enabled());
    }
    EXPECT_EQ(game.host.doEventsCalls, doEvents + 3);
    EXPECT_TRUE(game.host.Image() == before);
}

TEST(HexBuild, StatusLineAtTheEndFollowsTheFlags) {
    HexGame game(305, 200);
    GameState& s = game.s();
    game.host.TickTimer();
    s.exitReached = true;
    game.host.RunTimer();
    EXPECT_EQ(game.host.Text1Text(), kCongratulation);

    // With the correct path shown the line stays empty even after walking out, and red appears.
    s.showingSolution = true;
    game.host.Refresh();
    game.host.RunTimer();
    EXPECT_EQ(s.buildStage, 5);
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_EQ(s.lineColorIndex, 15);
    EXPECT_TRUE(game.Near(1.0, kRoot3 / 4, 2, qRgb(255, 0, 0)));
}

TEST(HexBuild, EventsDuringAStepStopOrRestartTheRun) {
    HexGame game(305, 200);
    GameState& s = game.s();
    game.TicksInStage(0);
    const ByteGrid maze = s.mazeGrid;

    // A repaint during the floor restarts at stage 0 with the same maze, and the run completes.
    game.TicksInStage(1);
    game.host.TickTimer();
    ASSERT_EQ(s.buildStage, 2);
    game.host.Post([&] { game.host.Refresh(); });
    game.host.TickTimer();
    EXPECT_EQ(s.buildStage, 0);
    EXPECT_TRUE(game.host.Timer1Enabled());
    game.host.RunTimer();
    EXPECT_EQ(s.buildStage, 5);
    EXPECT_TRUE(s.mazeGrid == maze);
    EXPECT_EQ(game.host.Text1Text(), kHexHint);

    // Closing during the last wall step: no re-arm, no trail, no status text.
    game.host.Refresh();
    game.host.onDoEvents = [&](int) {
        if (s.buildStage == 5) game.host.Post([&] { game.host.Close(); });
    };
    game.host.RunTimer();
    EXPECT_EQ(s.buildStage, 6);
    EXPECT_FALSE(game.host.Timer1Enabled());
    EXPECT_TRUE(s.drawInProgress);
    EXPECT_EQ(game.host.Text1Text(), "");
    EXPECT_FALSE(game.host.MenuEnabled(Menu::Action, kClear));
    game.host.onDoEvents = nullptr;
}

TEST(HexBuild, OddWindowsStillBuild) {
    // Narrower than the scroll bar: the smallest grid, built to the end.
    HexGame narrow(10, 200);
    narrow.host.RunTimer();
    EXPECT_EQ(narrow.s().cellsX, 3);
    EXPECT_EQ(narrow.s().cellsY, 2);
    EXPECT_EQ(narrow.s().buildStage, 5);
    EXPECT_EQ(narrow.host.Text1Text(), kHexHint);

    // A style change while minimised: the restore keeps "the maze", but the grids are the square
    // style's, so the honeycomb builder makes its own.
    HexGame game(305, 200);
    game.form.mnuStyleItem_Click(kSquare);
    game.host.RunTimer();
    ASSERT_EQ(game.s().gridMaxX, 2 * game.s().cellsX);
    game.host.Minimize();
    game.form.mnuStyleItem_Click(kHoneycomb);
    game.host.Restore();
    game.host.RunTimer();
    const GameState& s = game.s();
    EXPECT_EQ(s.buildStage, 5);
    EXPECT_EQ(s.gridMaxX, (s.cellsX / 2) * 8 + 6);
    EXPECT_EQ(s.gridMaxY, 4 * s.cellsY);
    EXPECT_EQ(s.mazeGrid.MaxX(), s.gridMaxX);
    EXPECT_EQ(s.walkGrid(2, 3), 1);
    EXPECT_EQ(game.host.Text1Text(), kHexHint);
}

TEST(HexScene, FloorHasNoGapsAndWallTopsAreLight) {
    for (int scroll : {30, 45, 60}) {
        HexGame game(400, 298);
        game.host.ScrollTo(scroll);
        GameState& s = game.s();
        while (s.buildStage < 4 && game.host.TickTimer()) {
        }
        ASSERT_EQ(s.buildStage, 4);
        // Before the walls: the floor inside every cell (within the walls' inner edges) and along
        // every open wall between two cells is painted.
        for (int y = 2; y < s.gridMaxY; y += 2) {
            const bool even = (y / 2) % 2 == 1;
            for (int x = even ? 3 : 7; x < s.gridMaxX; x += 8) {
                const double cx = (3.0 * x - 1) / 8;
                const double cy = y * kRoot3 / 4;
                for (int k = 0; k < 6; ++k) {
                    const double a = k * std::numbers::pi / 3;
                    for (double f : {0.0, 0.35, 0.7}) {
                        ASSERT_EQ(game.PixelAt(cx + f * std::cos(a), cy + f * std::sin(a), 0), Grey(6))
                            << "tilt " << 90 - scroll << " cell " << y << "," << x << " towards vertex " << k;
                    }
                }
            }
        }
        int passages = 0;
        for (int y = 1; y < s.gridMaxY; ++y) {
            for (int x = 1; x < s.gridMaxX; ++x) {
                const bool slanted = y % 2 == 1 && (x % 8 == 1 || x % 8 == 5);
                const bool level = (y % 4 == 0 && x % 8 == 3) || (y % 4 == 2 && x % 8 == 7);
                if ((!slanted && !level) || s.mazeGrid(y, x) == 0) continue;
                ++passages;
                const double dx = slanted ? 0.5 : 1.0;
                const double dy = !slanted ? 0.0 : ((y % 4 == 1) == (x % 8 == 1) ? -kRoot3 / 2 : kRoot3 / 2);
                for (double t : {-0.3, 0.0, 0.3}) {
                    ASSERT_EQ(game.PixelAt((3.0 * x - 1) / 8 + t * dx, y * kRoot3 / 4 + t * dy, 0), Grey(6))
                        << "tilt " << 90 - scroll << " passage " << y << "," << x;
                }
            }
        }
        EXPECT_EQ(passages, s.cellCount - 1);
        game.host.RunTimer();
        // The top walls of the first row are closed but for the entrance; their tops are grey 12.
        const double e = 0.25 / kRoot3 + 0.5;
        for (int pair = 1; 8 * pair + 3 < s.gridMaxX; ++pair) {
            ASSERT_EQ(s.mazeGrid(0, 8 * pair + 3), 0);
            EXPECT_TRUE(game.Near(3 * pair + (e + 1.5) / 2, 0.125, 2, Grey(12))) << pair;
        }
    }
}

}  // namespace
}  // namespace quivra
