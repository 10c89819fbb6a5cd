// SPDX-License-Identifier: GPL-3.0-or-later
// A click picks the cell as the player sees it: every expected point is read off the rendered
// picture (where a key's step drew its line, where walls show), never from the projection.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <ostream>
#include <vector>

#include "app/qt_form.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

struct View {
    const char* name;
    const char* code;
    int width, height, tilt;
};

void PrintTo(const View& s, std::ostream* os) { *os << s.name; }

const View kSetups[] = {
    {"square_tilt45", "S15x10-11882719-Y", 900, 700, 45},
    {"square_small_tilt30", "S15x10-11882719-Y", 430, 330, 30},
    {"honeycomb_tilt60", "H21x13-93782719-0", 900, 700, 60},
    {"honeycomb_small_tilt37", "H21x13-93782719-0", 500, 380, 37},
};

using test::WaitForBuild;

Qt::Key QtKeyOf(int virtualKey) {
    switch (virtualKey) {
    case vk::kLeft: return Qt::Key_Left;
    case vk::kUp: return Qt::Key_Up;
    case vk::kRight: return Qt::Key_Right;
    case vk::kDown: return Qt::Key_Down;
    case vk::kHome: return Qt::Key_Home;
    case vk::kEnd: return Qt::Key_End;
    case vk::kPageUp: return Qt::Key_PageUp;
    default: return Qt::Key_PageDown;
    }
}

const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kWallTop = qRgb(12 * 256 / 13, 12 * 256 / 13, 12 * 256 / 13);

// Device pixels that differ between two pictures of the same size.
std::vector<QPoint> Changed(const QImage& before, const QImage& after) {
    std::vector<QPoint> changed;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) changed.emplace_back(x, y);
        }
    }
    return changed;
}

QPointF Farthest(const std::vector<QPoint>& points, QPointF from) {
    QPointF best = from;
    double far = -1;
    for (const QPoint& p : points) {
        const double d = std::hypot(p.x() - from.x(), p.y() - from.y());
        if (d > far) {
            far = d;
            best = p;
        }
    }
    return best;
}

class ClickWhatIsDrawn : public ::testing::TestWithParam<View> {
protected:
    void SetUp() override {
        const View& setup = GetParam();
        w_.Timer1()->setInterval(5);
        w_.Form().StartWithCode(*ParseMazeCode(setup.code).maze);
        w_.resize(setup.width, setup.height);
        w_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w_));
        ASSERT_TRUE(WaitForBuild(w_));
        if (w_.VScroll1()->value() != setup.tilt) {
            w_.VScroll1()->setValue(setup.tilt);
            ASSERT_TRUE(WaitForBuild(w_));
        }
        start_ = Picture();
        // The lines' pens take their width from the picture's ratio.
        ASSERT_EQ(w_.BackingImage().devicePixelRatio(), w_.PixelRatio());
    }
    QImage Picture() const { return w_.BackingImage().copy(); }
    const GameState& State() { return w_.Form().State(); }
    void ClickDevice(QPointF device) {
        const double r = w_.PixelRatio();
        QTest::mouseClick(w_.ClientArea(), Qt::LeftButton, {},
                          QPoint(static_cast<int>(device.x() / r), static_cast<int>(device.y() / r)));
    }
    void StartAgain() {
        w_.Form().mnuActionItem_Click(kClear);
        ASSERT_TRUE(WaitForBuild(w_));
        ASSERT_EQ(Picture(), start_);
    }

    QtForm w_;
    QImage start_;
};

// The first six steps by key, each step's new trail end found in the picture; then the same steps
// by clicking there, and again a quarter of the way back towards the cell before.
TEST_P(ClickWhatIsDrawn, ClicksWhereEachStepsTrailEndsGiveTheKeysPictures) {
    const bool honeycomb = GetParam().code[0] == 'H';
    const std::vector<int> keys = test::CorrectPathKeys(State(), honeycomb);
    ASSERT_GE(keys.size(), 6u);
    // The entrance's line ends lowest on the screen, in the start cell.
    std::vector<QPoint> stub;
    for (int y = 0; y < start_.height(); ++y) {
        for (int x = 0; x < start_.width(); ++x) {
            if (start_.pixel(x, y) == kGreen) stub.emplace_back(x, y);
        }
    }
    ASSERT_FALSE(stub.empty());
    QPointF end = stub.front();
    for (const QPoint& p : stub) {
        if (p.y() > end.y()) end = p;
    }
    std::vector<QPointF> ends{end};
    std::vector<QImage> pictures{start_};
    for (size_t i = 0; i < 6; ++i) {
        QTest::keyClick(w_.windowHandle(), QtKeyOf(keys[i]));
        pictures.push_back(Picture());
        const std::vector<QPoint> line = Changed(pictures[i], pictures[i + 1]);
        ASSERT_FALSE(line.empty()) << "step " << i;
        ends.push_back(Farthest(line, ends[i]));
    }
    for (const double back : {0.0, 0.25}) {
        SCOPED_TRACE(back == 0 ? "at the trail's end" : "a quarter back");
        StartAgain();
        const int beeps = w_.Beeps();
        for (size_t i = 1; i <= 6; ++i) {
            ClickDevice(ends[i] + (ends[i - 1] - ends[i]) * back);
            ASSERT_EQ(Picture(), pictures[i]) << "step " << i << " clicked at " << ends[i].x() << "," << ends[i].y();
        }
        EXPECT_EQ(w_.Beeps(), beeps);
    }
}

// Points well inside the tops of the walls around the player pick nothing: no step, no beep. (A
// wall's face seen within a cell's outline at the walls' height is that cell's.)
TEST_P(ClickWhatIsDrawn, WallTopsPickNothing) {
    const bool honeycomb = GetParam().code[0] == 'H';
    QTest::keyClick(w_.windowHandle(), QtKeyOf(test::CorrectPathKeys(State(), honeycomb).front()));
    const QImage walked = Picture();
    const std::vector<QPoint> line = Changed(start_, walked);
    ASSERT_FALSE(line.empty());
    QPointF middle;
    for (const QPoint& p : line) middle += QPointF(p) / static_cast<double>(line.size());
    const double reach = 3 * std::hypot(line.front().x() - line.back().x(), line.front().y() - line.back().y()) + 8;
    // Logical pixels whose device pixels, and one more around them, are all wall top.
    const double r = w_.PixelRatio();
    std::vector<QPoint> walls;
    for (int ly = 1; (ly + 1) * r + 1 < walked.height(); ++ly) {
        for (int lx = 1; (lx + 1) * r + 1 < walked.width(); ++lx) {
            if (std::hypot(lx * r - middle.x(), ly * r - middle.y()) > reach) continue;
            bool wall = true;
            for (int y = static_cast<int>(ly * r) - 1; y <= static_cast<int>((ly + 1) * r) && wall; ++y) {
                for (int x = static_cast<int>(lx * r) - 1; x <= static_cast<int>((lx + 1) * r) && wall; ++x) {
                    wall = walked.pixel(x, y) == kWallTop;
                }
            }
            if (wall) walls.emplace_back(lx, ly);
        }
    }
    ASSERT_GE(walls.size(), 10u);
    const int playerX = State().walk().playerX, playerY = State().walk().playerY, beeps = w_.Beeps();
    for (size_t i = 0; i < walls.size(); i += walls.size() / 40 + 1) {
        QTest::mouseClick(w_.ClientArea(), Qt::LeftButton, {}, walls[i]);
        ASSERT_EQ(State().walk().playerX, playerX) << "clicked at " << walls[i].x() << "," << walls[i].y();
        ASSERT_EQ(State().walk().playerY, playerY) << "clicked at " << walls[i].x() << "," << walls[i].y();
    }
    EXPECT_EQ(w_.Beeps(), beeps);
    EXPECT_EQ(Picture(), walked);
}

INSTANTIATE_TEST_SUITE_P(HiDpi, ClickWhatIsDrawn, ::testing::ValuesIn(kSetups),
                         [](const ::testing::TestParamInfo<View>& s) { return s.param.name; });

}  // namespace
}  // namespace quivra
