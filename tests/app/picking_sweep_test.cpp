// SPDX-License-Identifier: GPL-3.0-or-later
// Every point of a built scene that shows a wall's face (two pixels from any other colour, as the
// polygons round their corners) picks a cell only when it lies inside that cell's outline at the
// walls' height, never the floor hidden behind the wall.
#include <gtest/gtest.h>

#include "render/pick.h"
#include "render/scene.h"
#include "tests/support/headless_game.h"

namespace quivra {
namespace {

const QRgb kFloor = qRgb(6 * 256 / 13, 6 * 256 / 13, 6 * 256 / 13);
const QRgb kWallTop = qRgb(12 * 256 / 13, 12 * 256 / 13, 12 * 256 / 13);

bool IsFace(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && c != kFloor && c != kWallTop; }

void CheckFaces(test::HeadlessGame& game) {
    const QImage& image = game.host.Image();
    const GameState& s = game.s();
    const int drawHeight = DrawAreaHeightPixels(game.host);
    const MazeShape shape = MazeShape::Of(s.style(), s.maze().cellsX, s.maze().cellsY);
    int faces = 0, picked = 0;
    for (int y = 2; y < drawHeight - 2; y += 2) {
        for (int x = 2; x < image.width() - 2; x += 2) {
            bool face = true;
            for (int dy = -2; dy <= 2 && face; ++dy) {
                for (int dx = -2; dx <= 2 && face; ++dx) face = IsFace(image.pixel(x + dx, y + dy));
            }
            if (!face) continue;
            ++faces;
            const std::optional<GridCell> cell = PickCell(s, s, x, y, 1.0, drawHeight);
            if (!cell) continue;
            ++picked;
            const std::optional<ScenePoint> top = PlanePointAt(x, y, 2, 1.0, s.View(), drawHeight);
            ASSERT_TRUE(top);
            EXPECT_EQ(CellAt(shape, *top), cell) << "a face at " << x << "," << y;
        }
    }
    EXPECT_GT(faces, 1000);
    EXPECT_LT(picked, faces);
}

TEST(PickingFaces, SquareFacesPickOnlyTheCellWhoseOutlineHoldsThem) {
    for (const auto& [w, h] : {std::pair{400, 298}, std::pair{900, 560}}) {
        test::SquareGame game(w, h);
        CheckFaces(game);
    }
}

TEST(PickingFaces, HoneycombFacesPickOnlyTheCellWhoseOutlineHoldsThem) {
    for (const auto& [w, h] : {std::pair{400, 298}, std::pair{900, 560}}) {
        test::HoneycombGame game(w, h);
        CheckFaces(game);
    }
}

}  // namespace
}  // namespace quivra
