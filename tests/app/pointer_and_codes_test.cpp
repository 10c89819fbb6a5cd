// SPDX-License-Identifier: GPL-3.0-or-later
// The real window's own commands around the game: shortcuts in the menus, the maze-code items and
// their dialog, clicks and taps handed on, and repainting only what a step drew.
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

QString MenuText(const QAction* item) { return static_cast<ShortcutMenu*>(item->parent())->ShownText(item); }

TEST(Menus, ShowTheirShortcutsAndKeepTheWrittenItems) {
    QtForm w;
    const std::pair<QAction*, const char*> items[] = {
        {w.Action(Menu::Action, kNewGame), "新游戏\tF2, Ctrl+N"},
        {w.Action(Menu::Action, kShowSolution), "正确走法"},
        {w.Action(Menu::Action, kClear), "清除"},
        {w.CopyCodeAction(), "复制迷宫代码\tCtrl+C"},
        {w.PlayCodeAction(), "输入迷宫代码…\tCtrl+O"},
        {w.Action(Menu::Action, kExit), "退出\tCtrl+Q"},
        {w.Action(Menu::Help, 0), "关于\tF1"},
    };
    for (const auto& [item, shown] : items) EXPECT_EQ(MenuText(item).toStdString(), shown);
    // The new items sit in a group of their own between the written separator and 退出.
    const QList<QAction*> game = w.menuBar()->actions().first()->menu()->actions();
    ASSERT_EQ(game.size(), 8);
    EXPECT_EQ(game[3], w.Action(Menu::Action, 3));
    EXPECT_EQ(game[4], w.CopyCodeAction());
    EXPECT_EQ(game[5], w.PlayCodeAction());
    EXPECT_TRUE(game[6]->isSeparator());
    EXPECT_EQ(game[7], w.Action(Menu::Action, kExit));
}

TEST(MazeCodes, CtrlCCopiesTheCodeTheGameGives) {
    QtForm w;
    w.SetMazeCodeSource([] { return std::string("H21x13-93782719-0"); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(w.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "H21x13-93782719-0");
    // No maze to name: the clipboard keeps what it had.
    w.SetMazeCodeSource([] { return std::string(); });
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(w.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "before");
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

TEST(MazeCodes, CancelPlaysNothing) {
    QtForm w;
    int played = 0;
    w.SetPlayMazeHandler([&](const NamedMaze&) { ++played; });
    QTimer::singleShot(50, [&] {
        if (PlayCodeDialog* dialog = w.OpenPlayCodeDialog()) {
            dialog->CodeEdit()->setText("S3x2-33913796-X");
            QTest::keyClick(dialog->CodeEdit(), Qt::Key_Escape);
        }
    });
    w.PlayCodeAction()->trigger();
    EXPECT_EQ(played, 0);
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

    QPointingDevice* screen = QTest::createTouchDevice();
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

TEST(Repaint, ABuildRepaintsTheWholeAreaOnlyWhenItClearsIt) {
    QtForm w;
    w.Timer1()->setInterval(5);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(WaitForBuild(w));
    QTest::qWait(50);
    PaintSpy spy(w.ClientArea());
    w.Action(Menu::Style, kHoneycomb)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    QTest::qWait(50);
    const QRect whole = w.ClientArea()->rect();
    const auto wholes = std::count(spy.rects.begin(), spy.rects.end(), whole);
    EXPECT_LE(wholes, 2);
    EXPECT_GT(spy.rects.size() - static_cast<size_t>(wholes), 10u);
}

}  // namespace
}  // namespace quivra
