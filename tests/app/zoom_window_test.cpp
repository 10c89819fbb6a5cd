// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom in the real window: a large maze's plan zoomed with the keys draws what quivra-tool draws
// with --zoom, in its own process; the whole maze comes back with Ctrl+0.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "app/qt_form.h"
#include "tests/app/window_wait.h"

namespace quivra {
namespace {

const char* const kLargeCode = "S300x300-33782719-9";

QImage DrawingAreaOf(const QtForm& w) {
    return w.BackingImage().copy(0, 0, w.VScroll1()->x(), w.Text1()->y()).convertToFormat(QImage::Format_RGB32);
}

TEST(ZoomWindow, APlanZoomedThreeStepsIsWhatTheToolDrawsAtZoomThree) {
    QtForm w;
    w.Form().StartWithCode(*ParseMazeCode(kLargeCode).maze);
    w.Form().ShowIn(FrmMain::View::Plan);
    w.Timer1()->setInterval(5);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // An 800 x 600 window: its menu bar and status line leave a drawing area of 783 x 561.
    w.resize(800, 580 + w.menuBar()->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ClientArea()->size() == QSize(800, 580); }, 5000));
    ASSERT_TRUE(test::WaitForBuild(w));
    const QImage whole = DrawingAreaOf(w);
    ASSERT_EQ(whole.size(), QSize(783, 561));
    for (int i = 0; i < 3; ++i) QTest::keyClick(w.windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(w.Form().Zoom().level, 3);

    QTemporaryDir dir;
    const QString out = dir.filePath("tool.png");
    QProcess tool;
    tool.start(QUIVRA_TOOL, {"render", "--code", kLargeCode, "--view", "plan", "--zoom", "3", "--size", "783x561",
                             "--out", out});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage expected = QImage(out).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(DrawingAreaOf(w) == expected) << "the zoomed plan differs from the tool's";
    EXPECT_FALSE(DrawingAreaOf(w) == whole);

    QTest::keyClick(w.windowHandle(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_FALSE(w.Form().Zoom().Zoomed());
    EXPECT_TRUE(DrawingAreaOf(w) == whole) << "Ctrl+0 shows the whole maze as before";
}

}  // namespace
}  // namespace quivra
