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
#include "app/status_line.h"
#include "render/legible_size.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

bool ShowBuilt(QtForm& w) {
    w.Timer1()->setInterval(5);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && test::WaitForBuild(w);
}

// A size from the submenu (0: the window's own); the window's size once the maze is built.
QSize Chosen(QtForm& w, int item) {
    const QSize before = w.size();
    w.SizeAction(item)->trigger();
    [[maybe_unused]] const bool grew = QTest::qWaitFor([&] { return w.size() != before; }, 1000);
    EXPECT_TRUE(test::WaitForBuild(w) && w.screen()->availableGeometry().contains(w.frameGeometry()));
    return w.size();
}

double DrawnCellPixels(QtForm& w) {
    const GameState& s = w.Form().State();
    return SceneCellPixels(MazeShape::Of(s.style(), s.maze().cellsX, s.maze().cellsY), s.viewAngle(),
                           w.VScroll1()->x(), w.Text1()->y());
}

TEST(BigMaze, AChosenSizeGrowsTheWindowUntilItsCellsAreReadableOrTheScreenIsFull) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const QSize written = w.size();
    EXPECT_EQ(Chosen(w, 1), written);   // 15 x 10 draw 18 pixels a cell there
    // 60 x 40 draw 5; 12 need about 940 x 700, wider than the offscreen screen: it fills it across.
    EXPECT_GE(Chosen(w, 3).width(), w.screen()->availableGeometry().width() - 40);
    EXPECT_LT(DrawnCellPixels(w), 12);
    // Sized by hand since: a new game leaves it as it is; 30 x 20 draw 7.6 there and grow it to 12.
    const QSize byHand(320, 260);
    w.resize(byHand);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() == byHand; }, 5000) && test::WaitForBuild(w));
    w.Action(Menu::Action, kNewGame)->trigger();
    ASSERT_TRUE(test::WaitForBuild(w));
    EXPECT_EQ(w.size(), byHand);
    const QSize grown = Chosen(w, 2);
    EXPECT_GE(DrawnCellPixels(w), 12);
    EXPECT_LT(DrawnCellPixels(w), 13);
    EXPECT_EQ(Chosen(w, 0), grown);   // the window's own size never grows it
}

struct StatusCase {
    const char* language;
    int style;
};
void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.language << " " << c.style; }

class StatusLineAt400 : public ::testing::TestWithParam<StatusCase> {
protected:
    void TearDown() override { UseLanguage(kSourceLanguage); }
};

TEST_P(StatusLineAt400, TheHintAndTheCountersNeverOverlap) {
    ASSERT_TRUE(UseLanguage(ChooseLanguage({GetParam().language})));
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const bool honeycomb = GetParam().style == kHoneycomb;
    if (honeycomb) w.Form().mnuStyleItem_Click(kHoneycomb);
    ASSERT_TRUE(test::WaitForBuild(w) && w.Text1()->width() == 400);
    const QString hint = w.Text1()->text();
    int key = test::CorrectPathKeys(w.Form().State(), honeycomb).front();
    w.Form().Form_KeyDown(key, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.CountersLabel()->isVisible(); }, 2000));

    auto* line = static_cast<StatusLine*>(w.Text1());
    const QString shown = line->ShownText();
    EXPECT_EQ(line->text(), hint);   // the whole text stays the line's
    EXPECT_LE(line->TextRect().left() + line->fontMetrics().horizontalAdvance(shown), w.CountersLabel()->x());
    EXPECT_LE(line->TextRect().right(), w.CountersLabel()->x());
    // The honeycomb's hint is longer than the line in both languages: cut short, whole as the tooltip.
    if (honeycomb) {
        EXPECT_NE(shown, hint);
    }
    EXPECT_EQ(line->toolTip(), shown == hint ? QString() : hint);
    if (shown != hint) {
        EXPECT_EQ(shown, hint.left(shown.size() - 1) + QChar(0x2026));
    }
    // In the picture: no word runs on under the counters (the strip left of their field is white).
    const QImage picture = line->grab().toImage();
    for (int y = 2; y < picture.height() - 2; ++y) {
        EXPECT_EQ(QColor(picture.pixel(w.CountersLabel()->x() - 2, y)), QColor(Qt::white)) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguagesBothStyles, StatusLineAt400,
                         ::testing::Values(StatusCase{"zh", kSquare}, StatusCase{"zh", kHoneycomb},
                                           StatusCase{"en", kSquare}, StatusCase{"en", kHoneycomb}));

}  // namespace
}  // namespace quivra
