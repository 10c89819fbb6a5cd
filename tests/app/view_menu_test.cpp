// SPDX-License-Identifier: GPL-3.0-or-later
// The view menu on the real window: its ticks, the tilt bar, the first-person keys through the
// window's key preview, moves drawn in motion by the window's own timer, and the same picture as
// the tool's.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

#include "app/qt_form.h"
#include "tools/tool_cli.h"
#include "tests/app/window_wait.h"

namespace quivra {
namespace {

using test::WaitForBuild;

TEST(Window, TheViewMenuShowsTheSameGameFromInsideAndTheToolDrawsItAlike) {
    const std::string code = "S15x10-11882719-Y";
    QtForm w;
    w.Timer1()->setInterval(5);
    w.Form().StartWithCode(*ParseMazeCode(code).maze);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(w.Action(Menu::View, kOverview)->isChecked());
    EXPECT_FALSE(w.Action(Menu::View, kCornerMap)->isEnabled());
    EXPECT_TRUE(w.VScroll1()->isEnabled());

    w.Action(Menu::View, kFirstPerson)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(w.Action(Menu::View, kFirstPerson)->isChecked());
    EXPECT_FALSE(w.Action(Menu::View, kOverview)->isChecked());
    EXPECT_TRUE(w.Action(Menu::View, kCornerMap)->isChecked());
    EXPECT_FALSE(w.VScroll1()->isEnabled());

    // Forward down the first corridor, a turn, and each drawn in motion to its end.
    const GameState& s = w.Form().State();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_W, Qt::Key_Left}) {
        QTest::keyClick(w.windowHandle(), key);
        EXPECT_TRUE(w.FrameTimerActive() || !w.Form().Moving());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.FrameTimerActive(); }, 2000));
    }
    EXPECT_EQ(s.Moves().size(), 2u);
    EXPECT_EQ(s.Heading(), s.Rules().turnLeft(s.Rules().startHeading));
    EXPECT_EQ(w.Beeps(), 0);

    const QImage window = w.BackingImage().convertToFormat(QImage::Format_RGB32);
    const std::string out = testing::TempDir() + "quivra_view_menu_" + std::to_string(::getpid()) + ".png";
    std::ostringstream report, err;
    ASSERT_EQ(tool::RunTool({"render", "--code", code, "--view", "first-person", "--size",
                             std::to_string(window.width()) + "x" + std::to_string(window.height()), "--keys",
                             "38,87,37", "--out", out},
                            report, err),
              0)
        << err.str();
    const QImage tool = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    std::filesystem::remove(out);
    EXPECT_EQ(window, tool);
    EXPECT_NE(report.str().find("heading " + std::to_string(s.Heading()) + "\n"), std::string::npos);

    // The corner map goes, and comes back; the plan draws the same walk.
    w.Action(Menu::View, kCornerMap)->trigger();
    EXPECT_FALSE(w.Action(Menu::View, kCornerMap)->isChecked());
    EXPECT_NE(w.BackingImage().convertToFormat(QImage::Format_RGB32), window);
    w.Action(Menu::View, kCornerMap)->trigger();
    EXPECT_EQ(w.BackingImage().convertToFormat(QImage::Format_RGB32), window);
    w.Action(Menu::View, kPlan)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(s.Moves().size(), 2u);
    w.Action(Menu::View, kOverview)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(w.VScroll1()->isEnabled());
    EXPECT_EQ(s.Moves().size(), 2u);
}

}  // namespace
}  // namespace quivra
