// SPDX-License-Identifier: GPL-3.0-or-later
// What only the real window shows of a big maze: the window grown within its screen for cells a
// player can read, and the status line's words never under the counters.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <ostream>
#include <string>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "app/status_line.h"
#include "render/legible_size.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

using test::WaitForBuild;

bool ShowBuilt(QtForm& w) {
    w.Timer1()->setInterval(5);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && WaitForBuild(w);
}

double DrawnCellPixels(QtForm& w) {
    const GameState& s = w.Form().State();
    const MazeShape shape = MazeShape::Of(s.style(), s.maze().cellsX, s.maze().cellsY);
    return SceneCellPixels(shape, s.viewAngle(), w.VScroll1()->x(), w.Text1()->y());
}

bool WithinScreen(const QtForm& w) { return w.screen()->availableGeometry().contains(w.frameGeometry()); }

TEST(BigMaze, AChosenSizeGrowsTheWindowUntilItsCellsAreReadableOrTheScreenIsFull) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const QSize written = w.size();
    // 15 x 10 squares draw 18 pixels a cell in the written window: it stays as it is.
    w.SizeAction(1)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.size(), written);
    // 60 x 40 draw 5 pixels there; twelve need about 940 x 700 logical pixels, wider than the
    // offscreen screen: the window fills it across.
    w.SizeAction(3)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() != written; }, 5000));
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(WithinScreen(w));
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_GE(w.frameGeometry().width(), screen.width() - 40);
    EXPECT_LT(DrawnCellPixels(w), 12);
    // Sized by hand since: a new game of the same size leaves it as it is.
    const QSize byHand(320, 260);
    w.resize(byHand);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() == byHand; }, 5000));
    ASSERT_TRUE(WaitForBuild(w));
    w.Action(Menu::Action, kNewGame)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.size(), byHand);
    // 30 x 20 draw 7 pixels a cell at that size: grown until they are 12, within the screen.
    w.SizeAction(2)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() != byHand; }, 5000));
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(WithinScreen(w));
    EXPECT_GE(DrawnCellPixels(w), 12);
    EXPECT_LT(DrawnCellPixels(w), 13);
    // Back to the window's own size: nothing grows.
    const QSize grown = w.size();
    w.SizeAction(0)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.size(), grown);
}

struct StatusCase {
    const char* language;
    int style;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.language << (c.style == kHoneycomb ? " honeycomb" : " square");
}

class StatusLineAt400 : public ::testing::TestWithParam<StatusCase> {
protected:
    void TearDown() override { UseLanguage(kSourceLanguage); }
};

TEST_P(StatusLineAt400, TheHintAndTheCountersNeverOverlap) {
    ASSERT_TRUE(UseLanguage(ChooseLanguage({GetParam().language})));
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const bool honeycomb = GetParam().style == kHoneycomb;
    if (honeycomb) {
        w.Form().mnuStyleItem_Click(kHoneycomb);
        ASSERT_TRUE(WaitForBuild(w));
    }
    ASSERT_EQ(w.Text1()->width(), 400);
    const QString hint = w.Text1()->text();
    int key = test::CorrectPathKeys(w.Form().State(), honeycomb).front();
    w.Form().Form_KeyDown(key, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.CountersLabel()->isVisible(); }, 2000));
    QTest::qWait(50);

    auto* line = static_cast<StatusLine*>(w.Text1());
    EXPECT_EQ(line->text(), hint);   // the whole text stays the line's
    const QString shown = line->ShownText();
    EXPECT_LE(line->TextRect().left() + line->fontMetrics().horizontalAdvance(shown), w.CountersLabel()->x());
    EXPECT_LE(line->TextRect().right(), w.CountersLabel()->x());
    if (shown != hint) {
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
        EXPECT_TRUE(hint.startsWith(shown.chopped(1)));
        EXPECT_EQ(line->toolTip(), hint);
    } else {
        EXPECT_TRUE(line->toolTip().isEmpty());
    }
    // The honeycomb's hint is longer than the line in both languages: it is cut short.
    if (honeycomb) {
        EXPECT_NE(shown, hint);
    }
    // In the picture: the counters' field starts where the line's words stop, and no word runs on
    // under it (the strip just left of the field is the line's white).
    const QImage picture = line->grab().toImage();
    const int x = w.CountersLabel()->x() - 2;
    for (int y = 2; y < picture.height() - 2; ++y) {
        EXPECT_EQ(QColor(picture.pixel(x, y)), QColor(Qt::white)) << "at " << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguagesBothStyles, StatusLineAt400,
                         ::testing::Values(StatusCase{"zh", kSquare}, StatusCase{"zh", kHoneycomb},
                                           StatusCase{"en", kSquare}, StatusCase{"en", kHoneycomb}),
                         [](const ::testing::TestParamInfo<StatusCase>& param) {
                             return std::string(param.param.language) +
                                    (param.param.style == kHoneycomb ? "Honeycomb" : "Square");
                         });

}  // namespace
}  // namespace quivra
