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

#include <memory>
#include <utility>
#include <vector>

#include "app/play_code_dialog.h"
#include "app/qt_form.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

bool WaitForBuild(QtForm& w) {
    return QTest::qWaitFor([&] { return w.Form().State().build.buildStage == kStageFinished && !w.Timer1Enabled(); },
                           10000);
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

TEST(MazeCodes, CtrlOPlaysACodeAndRefusesAMistypedOneInPlace) {
    QtForm w;
    std::vector<NamedMaze> played;
    w.SetPlayMazeHandler([&](const NamedMaze& maze) { played.push_back(maze); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    bool refusedInPlace = false;
    QString reason;
    QTimer::singleShot(50, [&] {
        PlayCodeDialog* dialog = w.OpenPlayCodeDialog();
        if (dialog == nullptr) return;
        dialog->CodeEdit()->setText("S3x2-33913796-Y");   // the last character mistyped
        QTest::keyClick(dialog->CodeEdit(), Qt::Key_Return);
        refusedInPlace = dialog->isVisible() && dialog->Reason()->isVisible() && played.empty();
        reason = dialog->Reason()->text();
        QTest::keyClicks(dialog->CodeEdit(), "x");   // typing again takes the refusal away
        refusedInPlace &= !dialog->Reason()->isVisible();
        dialog->CodeEdit()->setText(" s3x2-33913796-x\n");   // pasted, in small letters
        QTest::keyClick(dialog->CodeEdit(), Qt::Key_Return);
    });
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(refusedInPlace);
    EXPECT_EQ(reason.toStdString(), "its check character does not match (a mistyped code?)");
    EXPECT_EQ(w.OpenPlayCodeDialog(), nullptr);
    const NamedMaze expected{MazeShape::Square(3, 2), {3, 3, 9, 1, 3, 7, 9, 6}};
    EXPECT_EQ(played, std::vector<NamedMaze>{expected});
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

    EXPECT_EQ(points, (std::vector<QPointF>{{120, 80}, {60, 40}}));
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
    w.Timer1()->setInterval(5);
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(WaitForBuild(w));
    QTest::qWait(50);
    PaintSpy spy(w.ClientArea());
    const int key = test::CorrectPathKeys(w.Form().State(), false).front();
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};   // virtual keys 37..40
    QTest::keyClick(w.windowHandle(), arrows[key - vk::kLeft]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !spy.rects.empty(); }, 2000));
    QTest::qWait(50);
    const QSize area = w.ClientArea()->size();
    for (const QRect& r : spy.rects) {
        EXPECT_LT(r.width() * r.height(), area.width() * area.height() / 50) << r.width() << "x" << r.height();
    }
}

}  // namespace
}  // namespace quivra
