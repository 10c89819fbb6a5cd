// SPDX-License-Identifier: GPL-3.0-or-later
// The real Qt window on the offscreen platform: captions, menus, keys and the picture.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>

#include "app/about.h"
#include "app/desktop.h"
#include "app/headless_form.h"
#include "app/qt_form.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"
#include "modal_guard.h"
#include "url_catcher.h"

namespace quivra {
namespace {

using test::CorrectPathDirections;

QColor PixelAt(const QImage& image, double x, double y, double z, const GameState& s, int drawHeight) {
    const POINT p = ProjectPoint(x, y, z, s.View(), drawHeight);
    return image.pixelColor(p.x, p.y);
}

using test::WaitForBuild;

// Shows the window, then waits until it is on screen and its first build has finished.
::testing::AssertionResult ShownAndBuilt(QtForm& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return ::testing::AssertionFailure() << "the window never showed";
    if (!WaitForBuild(w)) return ::testing::AssertionFailure() << "the first build never finished";
    return ::testing::AssertionSuccess();
}

TEST(Window, DesignValuesCaptionsAndMenus) {
    QtForm w;
    EXPECT_EQ(w.windowTitle().toStdString(), kCaption);
    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text().toStdString(), kActionMenuCaption);
    EXPECT_EQ(menus[1]->text().toStdString(), kStyleMenuCaption);
    EXPECT_EQ(menus[2]->text().toStdString(), kViewMenuCaption);
    EXPECT_EQ(menus[3]->text().toStdString(), kHelpMenuCaption);
    for (int i : {kOverview, kFirstPerson, kPlan, kCornerMap}) {
        EXPECT_EQ(w.Action(Menu::View, i)->text().toStdString(), kViewCaptions[i]);
    }
    EXPECT_TRUE(w.Action(Menu::View, kOverview)->isChecked());
    for (int i = 0; i < 5; ++i) {
        if (i == 3) {
            EXPECT_TRUE(w.Action(Menu::Action, i)->isSeparator());
            continue;
        }
        EXPECT_EQ(w.Action(Menu::Action, i)->text().toStdString(), kActionCaptions[i]);
    }
    EXPECT_TRUE(w.Action(Menu::Action, kNewGame)->isEnabled());
    EXPECT_FALSE(w.Action(Menu::Action, kShowSolution)->isEnabled());
    EXPECT_FALSE(w.Action(Menu::Action, kClear)->isEnabled());
    EXPECT_TRUE(w.Action(Menu::Action, kExit)->isEnabled());
    EXPECT_EQ(w.Action(Menu::Style, kHoneycomb)->text().toStdString(), kStyleCaptions[0]);
    EXPECT_EQ(w.Action(Menu::Style, kSquare)->text().toStdString(), kStyleCaptions[1]);
    EXPECT_TRUE(w.Action(Menu::Style, kSquare)->isChecked());
    EXPECT_FALSE(w.Action(Menu::Style, kHoneycomb)->isChecked());
    EXPECT_EQ(w.Action(Menu::Help, 0)->text().toStdString(), kHelpCaptions[0]);
    EXPECT_EQ(w.VScroll1()->minimum(), 30);
    EXPECT_EQ(w.VScroll1()->maximum(), 60);
    EXPECT_EQ(w.VScroll1()->value(), 45);
    EXPECT_EQ(w.VScroll1()->singleStep(), 1);
    EXPECT_EQ(w.VScroll1()->pageStep(), 5);
    EXPECT_EQ(w.Timer1()->interval(), 55);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.ClientArea()->size(), QSize(400, 298));
    EXPECT_FALSE(w.windowIcon().isNull());
}

// The window shows the installed icon (compiled in from data/icons) at every size a desktop asks for.
TEST(Window, IconIsTheInstalledIconInEverySize) {
    QtForm w;
    const QList<QSize> sizes = w.windowIcon().availableSizes();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

TEST(Window, BuildsAMazeAndKeysReachTheGameThroughTheScrollBar) {
    QtForm w;
    w.Timer1()->setInterval(5);   // the build itself is not under test
    ASSERT_TRUE(ShownAndBuilt(w));
    const GameState& s = w.Form().State();
    EXPECT_EQ(w.Text1()->text().toStdString(), kSquareHint);
    EXPECT_TRUE(w.Action(Menu::Action, kClear)->isEnabled());
    const int drawHeight = w.ClientArea()->height() - w.Text1()->height();
    EXPECT_EQ(PixelAt(w.BackingImage(), s.maze().cellsX - 0.375, s.view.sceneDepth - 0.12, 0, s, drawHeight),
              QColor(118, 118, 118));

    // Up from the start cell is the entrance: blocked, so the key is the game's and the bar keeps its value.
    w.VScroll1()->setFocus();
    QTest::keyClick(w.windowHandle(), Qt::Key_Up);
    EXPECT_EQ(w.VScroll1()->value(), 45);

    // Walk the correct path out with the arrow keys.
    const Qt::Key arrows[4] = {Qt::Key_Left, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up};
    for (int d : CorrectPathDirections(s, false)) QTest::keyClick(w.windowHandle(), arrows[d]);
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(w.Text1()->text().toStdString(), kCongratulation);

    // Walking is over, so keys are not the game's: the scroll bar takes them and tilts the view.
    QTest::keyClick(w.windowHandle(), Qt::Key_Down);
    EXPECT_EQ(w.VScroll1()->value(), 46);
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_DOUBLE_EQ(s.viewAngle(), 44);

    w.Action(Menu::Action, kShowSolution)->trigger();
    EXPECT_EQ(PixelAt(w.BackingImage(), 0.625, 0.3, 2, s, drawHeight), QColor(255, 0, 0));
}

TEST(Window, HoneycombWalksWithTheKeypad) {
    QtForm w;
    w.Timer1()->setInterval(5);   // the build itself is not under test
    ASSERT_TRUE(ShownAndBuilt(w));
    w.Action(Menu::Style, kHoneycomb)->trigger();
    EXPECT_TRUE(w.Action(Menu::Style, kHoneycomb)->isChecked());
    EXPECT_FALSE(w.Action(Menu::Style, kSquare)->isChecked());
    ASSERT_TRUE(WaitForBuild(w));
    const GameState& s = w.Form().State();
    EXPECT_EQ(w.Text1()->text().toStdString(), kHexHint);
    // Keypad digits with NumLock on.
    const Qt::Key keypad[6] = {Qt::Key_7, Qt::Key_1, Qt::Key_8, Qt::Key_2, Qt::Key_9, Qt::Key_3};
    for (int d : CorrectPathDirections(s, true)) QTest::keyClick(w.windowHandle(), keypad[d], Qt::KeypadModifier);
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(w.Text1()->text().toStdString(), kCongratulation);
}

// On a desktop without a sound server the bell cannot play: the toolkit's beep sounds instead.
class NoSoundServerWindow : public QtForm {
public:
    int toolkitBeeps = 0;

protected:
    bool RingDesktopBell() override { return false; }
    void ToolkitBeep() override { ++toolkitBeeps; }
};

TEST(Window, LetterKeysWalkLikeTheWrittenKeysOfTheirStyle) {
    NoSoundServerWindow w;
    ASSERT_TRUE(ShownAndBuilt(w));
    const GameState& s = w.Form().State();
    // Q and E are honeycomb letters: in the square style they beep like Home and PgUp.
    QTest::keyClick(w.windowHandle(), Qt::Key_Q);
    QTest::keyClick(w.windowHandle(), Qt::Key_E);
    EXPECT_EQ(w.Beeps(), 2);
    EXPECT_EQ(w.toolkitBeeps, 2);
    const Qt::Key square[4] = {Qt::Key_A, Qt::Key_S, Qt::Key_D, Qt::Key_W};
    for (int d : CorrectPathDirections(s, false)) QTest::keyClick(w.windowHandle(), square[d]);
    EXPECT_TRUE(s.walk().exitReached);

    w.Action(Menu::Style, kHoneycomb)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    const Qt::Key honeycomb[6] = {Qt::Key_Q, Qt::Key_A, Qt::Key_W, Qt::Key_S, Qt::Key_E, Qt::Key_D};
    for (int d : CorrectPathDirections(s, true)) QTest::keyClick(w.windowHandle(), honeycomb[d]);
    EXPECT_TRUE(s.walk().exitReached);
    EXPECT_EQ(w.Beeps(), 2);
    EXPECT_EQ(w.Text1()->text().toStdString(), kCongratulation);
}

TEST(Window, KeyboardRouteToTheMenusAndShortcuts) {
    QtForm w;
    ASSERT_TRUE(ShownAndBuilt(w));
    QTest::keyClick(w.windowHandle(), Qt::Key_F10);
    ASSERT_NE(w.menuBar()->activeAction(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.menuBar()->activeAction()->menu()->isVisible(); }));
    QTest::keyClick(w.menuBar()->activeAction()->menu(), Qt::Key_Escape);
    QTest::keyClick(w.menuBar(), Qt::Key_Escape);

    const GameState& s = w.Form().State();
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_N}) {
        const std::string seed = s.maze().seedText;
        QTest::qWait(20);   // a new seed needs another reading of the clock
        QTest::keyClick(w.windowHandle(), key, key == Qt::Key_N ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_NE(s.maze().seedText, seed);
        ASSERT_TRUE(WaitForBuild(w));
    }
    // Ctrl+Q quits even in the honeycomb style, where Q alone walks up-left.
    w.Action(Menu::Style, kHoneycomb)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    QTest::keyClick(w.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(s.build.buildStage, kStageClosing);
    EXPECT_EQ(w.Beeps(), 0);
    // Quitting stops every later event loop from starting; running and leaving the application's
    // own loop clears that, so the tests after this one can still open a modal box.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

TEST(Window, AboutShowsItsMessageInChineseThenOpensTheHomePage) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    QtForm w;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    QString shown, button;
    QList<int> lineStarts;   // where lines of the label's text begin, over many widths
    QTimer::singleShot(100, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + "|" + box->text();
            button = box->button(QMessageBox::Ok)->text();
            const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            for (int width = 80; width <= 800; width += 4) {
                QTextLayout layout(label->text(), label->font());
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                    line.setLineWidth(width);
                    lineStarts << label->text().left(line.textStart()).remove(QChar(0x2060)).size();
                }
                layout.endLayout();
            }
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    {
        const test::ModalGuard guard;
        w.Action(Menu::Help, 0)->trigger();
        EXPECT_FALSE(guard.Fired()) << "the About box stayed open";
    }
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(shown.remove(QChar(0x2060)).toStdString(), kAboutTitle + "|" + AboutText());
    EXPECT_EQ(button.remove('&').toStdString(), "确定");
    // However narrow the box, lines break only at the blanks.
    const QString text = QString::fromStdString(AboutText());
    for (int start : lineStarts) EXPECT_TRUE(start == 0 || text[start - 1] == ' ') << start;
    EXPECT_EQ(catcher.urls, QStringList{QString::fromStdString(kHomePage)});
}

// Opens the item's menu under its title on the menu bar and clicks the item, as a player does: the
// pointer on the title, then on the item. The menu is popped up rather than clicked open: under Qt
// 6.8's test tools a click in a menu that a simulated click opened closes it without firing the item.
void ClickThroughMenuBar(QtForm& w, Menu menu, int index) {
    QAction* item = w.Action(menu, index);
    auto* popup = qobject_cast<QMenu*>(item->parent());
    ASSERT_NE(popup, nullptr);
    const QRect title = w.menuBar()->actionGeometry(popup->menuAction());
    QTest::mouseMove(w.menuBar(), title.center());
    popup->popup(w.menuBar()->mapToGlobal(title.bottomLeft()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 2000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    // A menu takes no release from a pointer that has not moved since it opened.
    QTest::mouseMove(popup, popup->actionGeometry(item).center());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popup->isVisible(); }, 2000));
}

TEST(Window, ClickingTheTickedStyleInItsMenuChangesNothing) {
    QtForm w;
    w.Timer1()->setInterval(5);   // four whole builds: no need to watch them grow
    ASSERT_TRUE(ShownAndBuilt(w));
    for (int style : {kSquare, kHoneycomb}) {
        // At rest, and while a new maze is being drawn.
        for (bool midBuild : {false, true}) {
            SCOPED_TRACE(std::to_string(style) + (midBuild ? " mid-build" : " at rest"));
            if (midBuild) {
                w.Action(Menu::Action, kNewGame)->trigger();
                ASSERT_TRUE(QTest::qWaitFor([&] { return w.Form().State().build.buildStage > kStageStart; }, 2000));
            }
            const std::string seed = w.Form().State().maze().seedText;
            ClickThroughMenuBar(w, Menu::Style, style);
            EXPECT_EQ(w.Action(Menu::Style, kHoneycomb)->isChecked(), style == kHoneycomb);
            EXPECT_EQ(w.Action(Menu::Style, kSquare)->isChecked(), style == kSquare);
            EXPECT_EQ(w.Timer1Enabled(), midBuild);
            ASSERT_TRUE(WaitForBuild(w));
            // The same maze: a new one would have the click's time as its seed.
            EXPECT_EQ(w.Form().State().maze().seedText, seed);
        }
        // The other item switches and builds.
        const int other = style == kSquare ? kHoneycomb : kSquare;
        ClickThroughMenuBar(w, Menu::Style, other);
        EXPECT_TRUE(w.Action(Menu::Style, other)->isChecked());
        EXPECT_TRUE(w.Timer1Enabled());
        ASSERT_TRUE(WaitForBuild(w));
        EXPECT_EQ(w.Text1()->text().toStdString(), other == kHoneycomb ? kHexHint : kSquareHint);
    }
}

// Also run at scale 1.5 (see CMakeLists.txt). Window sizes, menu bar included, one after another:
// the last is too small, and the scroll bar of the layout before must not hide the message.
TEST(Window, TooSmallMessageIsOnScreen) {
    const std::vector<std::vector<QSize>> sequences = {
        {{300, 62}}, {{60, 300}, {300, 60}}, {{200, 300}, {400, 60}}, {{120, 40}}, {{60, 300}, {120, 40}}};
    for (const auto& sizes : sequences) {
        QtForm w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        for (const QSize& size : sizes) {
            w.resize(size);
            ASSERT_TRUE(QTest::qWaitFor([&] { return w.ClientArea()->size() == w.centralWidget()->size() &&
                                                     w.size() == size; }, 2000));
            QTest::qWait(20);
        }
        SCOPED_TRACE(std::to_string(sizes.size()) + " sizes, last " + std::to_string(sizes.back().width()) + "x" +
                     std::to_string(sizes.back().height()));
        ASSERT_LT(w.ClientArea()->height(), 3 * w.Text1()->height());
        EXPECT_EQ(w.Text1()->text().toStdString(), kTooSmall);
        const QRect line = w.Text1()->geometry();
        // Whole inside the client area, its text fits, and no control stacked above covers it.
        EXPECT_TRUE(w.ClientArea()->rect().contains(line)) << line.y() << " in " << w.ClientArea()->height();
        EXPECT_LE(w.Text1()->fontMetrics().horizontalAdvance(w.Text1()->text()) + 4, line.width());
        const QObjectList stack = w.ClientArea()->children();
        for (qsizetype i = stack.indexOf(w.Text1()) + 1; i < stack.size(); ++i) {
            auto* above = qobject_cast<QWidget*>(stack[i]);
            EXPECT_FALSE(above && above->isVisible() && above->geometry().intersects(line)) << "covered";
        }
        // Its letters are drawn: dark pixels inside the status line on the window's own picture.
        const QImage shot = w.ClientArea()->grab().toImage();
        const double dpr = shot.devicePixelRatio();
        int dark = 0;
        for (int y = static_cast<int>((line.top() + 2) * dpr); y < static_cast<int>((line.bottom() - 1) * dpr); ++y) {
            for (int x = static_cast<int>(line.left() * dpr); x < static_cast<int>((line.left() + 80) * dpr); ++x) {
                dark += qGray(shot.pixel(x, y)) < 128;
            }
        }
        EXPECT_GT(dark, 10);
    }
}

// Run at scale factors 1, 1.5 and 2 and on two screens of different ratios (see CMakeLists.txt).
TEST(HiDpi, DrawsAtDevicePixelsWithTheCellsOfTheLogicalSize) {
    QtForm w;
    ASSERT_TRUE(ShownAndBuilt(w));
    const double dpr = w.devicePixelRatioF();
    const QImage& image = w.BackingImage();
    EXPECT_EQ(image.size(), (QSizeF(w.ClientArea()->size()) * dpr).toSize());
    // Both units measure the same drawing area, whatever the ratio (a drawing sized in twips lands
    // where one sized in pixels does).
    w.SetScaleMode(kScalePixels);
    const int widthPixels = DrawAreaWidthPixels(w);
    w.SetScaleMode(kScaleTwips);
    EXPECT_EQ(DrawAreaWidthPixels(w), widthPixels);
    // Twips stay logical: the status line is as high as at scale 1, and the window holds as many cells.
    w.SetScaleMode(kScaleTwips);
    EXPECT_EQ(w.Text1Height(), 285);
    HeadlessForm logical(w.ClientArea()->width(), w.ClientArea()->height());
    FrmMain form(logical);
    logical.Show();
    logical.RunTimer();
    EXPECT_EQ(w.Form().State().maze().cellsX, form.State().maze().cellsX);
    EXPECT_EQ(w.Form().State().maze().cellsY, form.State().maze().cellsY);
    // A picture drawn at logical size and doubled has every aligned 2 x 2 block in one colour.
    if (dpr == 2) {
        int detailed = 0;
        for (int y = 0; y + 1 < image.height(); y += 2) {
            for (int x = 0; x + 1 < image.width(); x += 2) {
                const QRgb c = image.pixel(x, y);
                detailed += c != image.pixel(x + 1, y) || c != image.pixel(x, y + 1) || c != image.pixel(x + 1, y + 1);
            }
        }
        EXPECT_GT(detailed, 100);
    }
}

TEST(HiDpi, MovingToAScreenOfAnotherRatioRedrawsTheSameMaze) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio()) {
        GTEST_SKIP() << "needs two screens of different ratios";
    }
    QtForm w;
    ASSERT_TRUE(ShownAndBuilt(w));
    const ByteGrid maze = w.Form().State().maze().mazeGrid;
    const QSize logical = w.ClientArea()->size();
    QScreen* other = screens[w.screen() == screens[0] ? 1 : 0];
    w.windowHandle()->setScreen(other);
    if (!QTest::qWaitFor([&] { return w.devicePixelRatioF() == other->devicePixelRatio(); }, 2000)) {
        GTEST_SKIP() << "the platform keeps the window's ratio on another screen (offscreen in Qt 6.8)";
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.BackingImage().devicePixelRatio() == other->devicePixelRatio(); }));
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.BackingImage().size(), (QSizeF(logical) * other->devicePixelRatio()).toSize());
    EXPECT_TRUE(w.Form().State().maze().mazeGrid == maze);
}

}  // namespace
}  // namespace quivra
