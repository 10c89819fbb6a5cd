// SPDX-License-Identifier: GPL-3.0-or-later
// The real window's own commands around the game: the maze-code items and their dialog, clicks and
// taps handed on, and repainting only what a step drew.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPointingDevice>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <string>
#include <memory>
#include <utility>
#include <vector>

#include "app/desktop.h"
#include "app/play_code_dialog.h"
#include "app/qt_form.h"
#include "game/code_check.h"
#include "modal_guard.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

using test::WaitForBuild;

// A large window shown and its first maze built, quickly.
bool ShowBuilt(QtForm& w) {
    w.Timer1()->setInterval(5);
    w.resize(900, 700);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && WaitForBuild(w);
}

TEST(MazeCodes, CtrlCCopiesTheCodeTheGameGives) {
    QtForm w;
    w.SetMazeCodeSource([] { return std::string("H21x13-93782719-0"); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(w.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "H21x13-93782719-0");
}

// Codes the dialog refuses, one for each reason; the sizes with their right check characters.
std::vector<std::string> RefusedCodes() {
    return {"S3x2-33913796-Y",   // the last character mistyped
            "S3x2-3391379a-X", "Q3x2-33913796-X", "S03x2-33913796-X", "S3x2x33913796-X",
            MazeCode({MazeShape::Square(2, 1), {}}), MazeCode({MazeShape::Honeycomb(4, 2), {}}),
            MazeCode({MazeShape::Square(20001, 2), {}}),
            MazeCode({MazeShape::Honeycomb(8193, 3), {3, 3, 9, 1, 3, 7, 9, 6}})};   // too large to draw
}

// Ctrl+O, then each refused code typed and entered, then a good one pasted. The dialog must stay
// open on each refusal with its reason; a guard closes it if it hangs.
struct DialogRun {
    std::vector<QString> reasons;
    bool refusedInPlace = true;
    std::vector<NamedMaze> played;
};

DialogRun RunPlayCodeDialog(QtForm& w) {
    DialogRun run;
    w.SetPlayMazeHandler([&](const NamedMaze& maze) { run.played.push_back(maze); });
    const test::ModalGuard guard;
    QTimer::singleShot(50, [&] {
        PlayCodeDialog* dialog = w.OpenPlayCodeDialog();
        if (dialog == nullptr) return;
        for (const std::string& code : RefusedCodes()) {
            dialog->CodeEdit()->setText(QString::fromStdString(code));
            QTest::keyClick(dialog->CodeEdit(), Qt::Key_Return);
            run.refusedInPlace &= dialog->isVisible() && dialog->Reason()->isVisible() && run.played.empty();
            run.reasons.push_back(dialog->Reason()->text());
            QTest::keyClicks(dialog->CodeEdit(), "x");   // typing again takes the refusal away
            run.refusedInPlace &= !dialog->Reason()->isVisible();
        }
        dialog->CodeEdit()->setText(" s3x2-33913796-x\n");   // pasted, in small letters
        QTest::keyClick(dialog->CodeEdit(), Qt::Key_Return);
    });
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(guard.Fired()) << "the dialog stayed open";
    EXPECT_EQ(w.OpenPlayCodeDialog(), nullptr);
    const NamedMaze expected{MazeShape::Square(3, 2), {3, 3, 9, 1, 3, 7, 9, 6}};
    EXPECT_EQ(run.played, std::vector<NamedMaze>{expected});
    EXPECT_TRUE(run.refusedInPlace);
    return run;
}

TEST(MazeCodes, CtrlOPlaysACodeAndRefusesTheOthersInPlaceInChinese) {
    QtForm w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const DialogRun run = RunPlayCodeDialog(w);
    ASSERT_EQ(run.reasons.size(), RefusedCodes().size());
    for (const QString& reason : run.reasons) {
        EXPECT_TRUE(std::any_of(reason.begin(), reason.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; }))
            << reason.toStdString();
    }
    EXPECT_EQ(run.reasons.front().toStdString(), "校验字符不符（代码输错了？）");
}

// In English the dialog gives the command lines' words for each code.
TEST(MazeCodes, TheDialogRefusesWhatTheCommandLinesRefuseWithTheirWords) {
    ASSERT_TRUE(UseLanguage("en"));
    QtForm w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const DialogRun run = RunPlayCodeDialog(w);
    UseLanguage(kSourceLanguage);
    const std::vector<std::string> codes = RefusedCodes();
    ASSERT_EQ(run.reasons.size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        const MazeCodeResult refused = CheckPlayableCode(codes[i]);
        ASSERT_FALSE(refused.maze) << codes[i];
        EXPECT_TRUE(run.reasons[i].endsWith(QString::fromStdString(refused.error))) << run.reasons[i].toStdString();
    }
    EXPECT_EQ(CheckPlayableCode(codes.back()).refusal, CodeRefusal::kTooLargeToDraw);
}

// Also run at ratios 1.5 and 2: the points stay logical, the window says its ratio.
TEST(HiDpi, ClickAndOneFingerTapReachThePointerHandlerAtTheirPoint) {
    QtForm w;
    std::vector<QPointF> points;
    w.SetPointerHandler([&](double x, double y) { points.emplace_back(x, y); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_DOUBLE_EQ(w.PixelRatio(), w.ClientArea()->devicePixelRatioF());
    QWidget* area = w.ClientArea();

    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(120, 80));
    QTest::mouseClick(area, Qt::RightButton, {}, QPoint(30, 30));                   // not the game's
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(50, w.Text1()->y() + 3));   // the status line

    const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
    QPointingDevice* screen = touchScreen.get();
    QTest::touchEvent(area, screen).press(0, QPoint(60, 40), area);
    QTest::touchEvent(area, screen).release(0, QPoint(61, 41), area);
    // Two fingers, and one that drags, are no tap.
    QTest::touchEvent(area, screen).press(0, QPoint(10, 10), area).press(1, QPoint(90, 90), area);
    QTest::touchEvent(area, screen).release(0, QPoint(10, 10), area).release(1, QPoint(90, 90), area);
    QTest::touchEvent(area, screen).press(0, QPoint(100, 100), area);
    QTest::touchEvent(area, screen).move(0, QPoint(160, 100), area);
    QTest::touchEvent(area, screen).release(0, QPoint(160, 100), area);

    // Touch points pass through device pixels: at a ratio of 1.5 some Qt versions hand them back a
    // third of a logical pixel off.
    const std::vector<QPointF> expected{{120, 80}, {60, 40}};
    ASSERT_EQ(points.size(), expected.size());
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].x(), expected[i].x(), 0.5) << i;
        EXPECT_NEAR(points[i].y(), expected[i].y(), 0.5) << i;
    }
}

// Where a square cell's centre shows on the window's drawing area at the walls' height, where its
// trail runs, in logical pixels.
QPoint SquareCellOnScreen(QtForm& w, int gx, int gy) {
    const GameState& s = w.Form().State();
    const POINT p = ProjectPoint((gx - 1) / 2 + 0.625, (gy - 1) / 2 + 0.625, 2, s.View(), DrawAreaHeightPixels(w));
    return QPoint(static_cast<int>(std::lround(p.x / w.PixelRatio())), static_cast<int>(std::lround(p.y / w.PixelRatio())));
}

// The game's own answer to a click and a tap (also at ratios 1.5 and 2): the open neighbour of the
// start is walked to as its key would, a walled neighbour beeps and stays.
TEST(HiDpi, AClickOrATapOnANeighbourStepsThereOrBeeps) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const GameState& s = w.Form().State();
    const int d = test::CorrectPathDirections(s, false).front();
    const int nx = 1 + 2 * s.tables().stepX[d][0], ny = 1 + 2 * s.tables().stepY[d][0];
    const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
    for (const bool tap : {false, true}) {
        SCOPED_TRACE(tap ? "tap" : "click");
        QWidget* area = w.ClientArea();
        auto press = [&](QPoint at) {
            if (tap) {
                QTest::touchEvent(area, touchScreen.get()).press(0, at, area);
                QTest::touchEvent(area, touchScreen.get()).release(0, at, area);
            } else {
                QTest::mouseClick(area, Qt::LeftButton, {}, at);
            }
        };
        press(SquareCellOnScreen(w, nx, ny));
        EXPECT_EQ(s.walk().playerX, nx);
        EXPECT_EQ(s.walk().playerY, ny);
        EXPECT_EQ(s.walk().walkGrid(ny, nx), 1);
        EXPECT_EQ(s.walk().lineColorIndex, kStepColour);
        // A neighbour behind a wall: a beep, and the player stays.
        for (int e = 0; e < 4; ++e) {
            const int wx = nx + s.tables().stepX[e][0], wy = ny + s.tables().stepY[e][0];
            const int tx = wx + s.tables().stepX[e][0], ty = wy + s.tables().stepY[e][0];
            if (tx <= 0 || ty <= 0 || tx >= s.maze().gridMaxX || ty >= s.maze().gridMaxY || s.maze().mazeGrid(wy, wx) != 0) {
                continue;
            }
            const int beeps = w.Beeps();
            press(SquareCellOnScreen(w, tx, ty));
            EXPECT_EQ(w.Beeps(), beeps + 1);
            EXPECT_EQ(s.walk().playerX, nx);
            break;
        }
        w.Form().mnuActionItem_Click(kClear);
        ASSERT_TRUE(WaitForBuild(w));
    }
}

// quivra --code: the window's first maze is the code's, in its style.
TEST(MazeCodes, TheFirstMazeIsTheCodesWhenTheGameStartsWithOne) {
    QtForm w;
    w.Timer1()->setInterval(5);
    w.Form().StartWithCode(*ParseMazeCode("H21x13-93782719-0").maze);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.Form().MazeCodeText(), "H21x13-93782719-0");
    EXPECT_TRUE(w.MenuChecked(Menu::Style, kHoneycomb));
    EXPECT_FALSE(w.MenuChecked(Menu::Style, kSquare));
    EXPECT_EQ(w.Text1()->text().toStdString(), kHexHint);
}

// Records the rectangles the client area is painted in.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

TEST(Repaint, AWalkingStepRepaintsOnlyAroundItsLine) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    // The window's own first paints are over before the step: on a loaded machine they come late.
    // (A window that keeps painting large areas fails below.)
    for (int quiet = 0, tries = 0; quiet < 3 && tries < 30; ++tries) {
        PaintSpy settling(w.ClientArea());
        QTest::qWait(100);
        quiet = settling.rects.empty() ? quiet + 1 : 0;
    }
    PaintSpy spy(w.ClientArea());
    const int key = test::CorrectPathKeys(w.Form().State(), false).front();
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};   // virtual keys 37..40
    QTest::keyClick(w.windowHandle(), arrows[key - vk::kLeft]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !spy.rects.empty(); }, 5000));
    QTest::qWait(50);
    const QSize area = w.ClientArea()->size();
    for (const QRect& r : spy.rects) {
        // The status line is not the drawing: its counters appear with the first step.
        if (w.Text1()->geometry().contains(r)) continue;
        EXPECT_LT(r.width() * r.height(), area.width() * area.height() / 50) << r.width() << "x" << r.height();
    }
}

}  // namespace
}  // namespace quivra
