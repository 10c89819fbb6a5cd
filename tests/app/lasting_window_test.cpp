// SPDX-License-Identifier: GPL-3.0-or-later
// A game that lasts, in the real window: the size submenu and its dialog, the walk kept through a
// resize (against what quivra-tool draws in its own process), the peek at the correct path, the
// game kept and resumed, steps and time, records, and a store that cannot be written.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <string>
#include <vector>

#include "app/game_store.h"
#include "app/qt_form.h"
#include "app/size_dialog.h"
#include "tests/app/window_wait.h"
#include "tests/support/correct_path.h"

namespace quivra {
namespace {

const char* const kCode = "S15x10-11882719-Y";

using test::WaitForBuild;

bool ShowBuilt(QtForm& w) {
    w.Timer1()->setInterval(5);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && WaitForBuild(w);
}

// The window's client area made that size.
bool ResizeClient(QtForm& w, int width, int height) {
    w.resize(width, height + w.menuBar()->height());
    return QTest::qWaitFor([&] { return w.ClientArea()->size() == QSize(width, height); }, 5000) && WaitForBuild(w);
}

QImage DrawingArea(const QImage& client, const QtForm& w) {
    return client.copy(0, 0, w.VScroll1()->x(), w.Text1()->y()).convertToFormat(QImage::Format_RGB32);
}

void PressKeys(QtForm& w, const std::vector<int>& keys) {
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};   // virtual keys 37..40
    for (int key : keys) QTest::keyClick(w.windowHandle(), arrows[key - vk::kLeft]);
}

std::string Joined(const std::vector<int>& keys) {
    std::string text;
    for (int key : keys) {
        if (!text.empty()) text += ',';
        text += std::to_string(key);
    }
    return text;
}

// Settings and data in Qt's test folders, under a home of the test's own: tests run side by side.
class Stored : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    void TearDown() override {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", home_);
    }
    QTemporaryDir home;
    QByteArray home_;
    static QString KeptPath() { return QString::fromStdString(GameStore().KeptGamePath()); }
};

TEST(MazeSize, ACodesWalkThroughAResizeIsWhatTheToolDrawsAtTheNewSize) {
    QtForm w;
    w.Form().StartWithCode(*ParseMazeCode(kCode).maze);
    ASSERT_TRUE(ShowBuilt(w));
    std::vector<int> keys = test::CorrectPathKeys(w.Form().State(), false);
    keys.resize(3);
    PressKeys(w, keys);
    ASSERT_EQ(w.Form().State().Moves().size(), 3u);
    ASSERT_TRUE(ResizeClient(w, 600, 430));
    EXPECT_EQ(w.Form().MazeCodeText(), kCode);
    EXPECT_EQ(w.Form().State().Moves().size(), 3u);

    QTemporaryDir dir;
    const QString out = dir.filePath("tool.png");
    QProcess tool;
    tool.start(QUIVRA_TOOL, {"render", "--code", kCode, "--size", "600x430", "--keys",
                             QString::fromStdString(Joined(keys)), "--out", out});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage expected = QImage(out).convertToFormat(QImage::Format_RGB32);
    const QImage shown = DrawingArea(w.BackingImage(), w);
    ASSERT_EQ(shown.size(), QSize(583, 411));
    EXPECT_TRUE(shown == DrawingArea(expected, w)) << "the drawing area differs from the tool's";
}

TEST(MazeSize, CellsOfOnesOwnStayThroughAResizeAndEveryNewGameHasThem) {
    QtForm w;
    w.Form().StartWithSize(SizeChoice::Custom(31, 21));
    ASSERT_TRUE(ShowBuilt(w));
    const std::string code = w.Form().MazeCodeText();
    EXPECT_EQ(code.substr(0, 7), "S31x21-");
    EXPECT_TRUE(w.SizeAction(kNamedSizes + 1)->isChecked());
    ASSERT_TRUE(ResizeClient(w, 700, 500));
    EXPECT_EQ(w.Form().MazeCodeText(), code);
    w.Action(Menu::Action, kNewGame)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.Form().MazeCodeText().substr(0, 7), "S31x21-");
    // A named size from the submenu is a new game of its cells; the window's size is the written one.
    w.SizeAction(2)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.Form().MazeCodeText().substr(0, 7), "S30x20-");
    EXPECT_TRUE(w.SizeAction(2)->isChecked());
    w.SizeAction(0)->trigger();
    ASSERT_TRUE(WaitForBuild(w));
    const std::string fitted = w.Form().MazeCodeText();
    ASSERT_TRUE(ResizeClient(w, 500, 400));
    EXPECT_NE(w.Form().MazeCodeText(), fitted);
}

TEST(MazeSize, TheCustomDialogRefusesCellsTheStyleCannotHaveInPlace) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    w.Form().mnuStyleItem_Click(kHoneycomb);
    ASSERT_TRUE(WaitForBuild(w));
    bool refusedInPlace = false;
    QString reason;
    QTimer::singleShot(50, [&] {
        SizeDialog* dialog = w.OpenSizeDialog();
        if (dialog == nullptr) return;
        dialog->Across()->setValue(30);
        dialog->Down()->setValue(20);
        dialog->accept();
        refusedInPlace = dialog->isVisible() && dialog->Reason()->isVisible();
        reason = dialog->Reason()->text();
        dialog->Across()->setValue(31);
        refusedInPlace &= !dialog->Reason()->isVisible();   // a new number takes the refusal away
        dialog->accept();
    });
    w.SizeAction(kNamedSizes + 1)->trigger();
    EXPECT_TRUE(refusedInPlace);
    EXPECT_EQ(reason.toStdString(), kHoneycombOdd);
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_EQ(w.Form().MazeCodeText().substr(0, 7), "H31x20-");
}

TEST(CorrectPath, HidingItRedrawsTheTrailAndWalkingGoesOn) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const std::vector<int> keys = test::CorrectPathKeys(w.Form().State(), false);
    PressKeys(w, {keys[0]});
    const QImage walked = w.BackingImage().copy();
    EXPECT_FALSE(w.HideSolutionAction()->isEnabled());
    w.Action(Menu::Action, kShowSolution)->trigger();
    QTest::qWait(300);   // the items follow the game a few times a second
    EXPECT_TRUE(w.HideSolutionAction()->isEnabled());
    QTest::keyClick(w.windowHandle(), Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(WaitForBuild(w));
    EXPECT_TRUE(w.BackingImage() == walked) << "the trail is not drawn as it was before the peek";
    PressKeys(w, {keys[1]});
    EXPECT_EQ(w.Form().State().Moves().size(), 2u);
    EXPECT_EQ(w.Text1()->text().toStdString(), kSquareHint);
}

TEST(Counters, StepsAndTimeThenTheWalksSummaryBesideTheStatusLine) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    QTest::qWait(300);
    EXPECT_FALSE(w.CountersLabel()->isVisible());   // the written start-up: nothing before a step
    const std::vector<int> keys = test::CorrectPathKeys(w.Form().State(), false);
    PressKeys(w, {keys[0], keys[0] == vk::kRight ? vk::kLeft : vk::kUp, keys[0]});
    const int steps = static_cast<int>(w.Form().State().Moves().size());
    ASSERT_EQ(steps, 3);
    const QString walking = QString::fromStdString(std::to_string(steps) + " 步  0:00");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.CountersLabel()->isVisible() && w.CountersLabel()->text() == walking; }, 2000))
        << w.CountersLabel()->text().toStdString();
    // Beside the status line, within it: the drawing area keeps its size.
    EXPECT_EQ(w.CountersLabel()->parentWidget(), w.Text1());
    EXPECT_EQ(w.Text1()->y(), w.ClientArea()->height() - w.Text1()->height());
    PressKeys(w, std::vector<int>(keys.begin() + 1, keys.end()));
    ASSERT_TRUE(w.Form().State().walk().exitReached);
    EXPECT_EQ(w.Text1()->text().toStdString(), kCongratulation);
    const int total = static_cast<int>(w.Form().State().Moves().size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.CountersLabel()->text().contains("（"); }, 2000));
    EXPECT_EQ(w.CountersLabel()->text().toStdString(),
              std::to_string(total) + " 步（最少 " + std::to_string(keys.size()) + "） 0:00");
}

// The options' marks as the player sees them: the window grabbed as it is on screen.
int PixelsOf(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

TEST(Marks, ADiscOnThePlayersCellAndARingOnTheExitOnlyWhenChosen) {
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    const QColor disc(30, 90, 255), ring(255, 140, 0);
    auto shown = [&] {
        QTest::qWait(300);
        return w.ClientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    auto playerOnScreen = [&] {
        const WalkState& walk = w.Form().State().walk();
        const POINT p = ProjectPoint(walk.playerSceneX, walk.playerSceneY, 2, w.Form().State().View(),
                                     DrawAreaHeightPixels(w));
        return QPoint(p.x, p.y);
    };
    QImage off = shown();
    EXPECT_EQ(PixelsOf(off, disc), 0);
    EXPECT_EQ(PixelsOf(off, ring), 0);

    w.MarkPlayerAction()->trigger();
    w.MarkExitAction()->trigger();
    const QPoint start = playerOnScreen();
    QImage on = shown();
    EXPECT_EQ(on.pixelColor(start), disc);
    EXPECT_GT(PixelsOf(on, ring), 10);
    // After a step the disc has moved with the player, and the picture under it is the game's again.
    PressKeys(w, {test::CorrectPathKeys(w.Form().State(), false).front()});
    on = shown();
    EXPECT_EQ(on.pixelColor(playerOnScreen()), disc);
    EXPECT_NE(on.pixelColor(start), disc);
    EXPECT_EQ(PixelsOf(on, disc), PixelsOf(shown(), disc));
    // They follow the tilted scene only: the plan and the view from inside show the player their own way.
    for (const auto view : {FrmMain::View::FirstPerson, FrmMain::View::Plan}) {
        w.Form().ShowIn(view);
        w.ClientArea()->update();
        const QImage other = shown();
        EXPECT_EQ(PixelsOf(other, disc), 0);
        EXPECT_EQ(PixelsOf(other, ring), 0);
    }
    w.Form().ShowIn(FrmMain::View::Overview);
    EXPECT_EQ(shown().pixelColor(playerOnScreen()), disc);

    w.MarkPlayerAction()->trigger();
    w.MarkExitAction()->trigger();
    off = shown();
    EXPECT_EQ(PixelsOf(off, disc), 0);
    EXPECT_EQ(PixelsOf(off, ring), 0);
}

TEST_F(Stored, AGameKeptOnQuitResumesWithTheSameDrawing) {
    std::vector<int> keys;
    QImage before;
    {
        QtForm w;
        w.UseStore();
        w.Form().StartWithCode(*ParseMazeCode(kCode).maze);
        ASSERT_TRUE(ShowBuilt(w));
        keys = test::CorrectPathKeys(w.Form().State(), false);
        keys.resize(4);
        PressKeys(w, keys);
        before = DrawingArea(w.BackingImage(), w);
        w.close();   // the window's close button (Ctrl+Q ends the test program too: tried under Xvfb)
    }
    QFile kept(KeptPath());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const std::string text = kept.readAll().toStdString();
    kept.close();
    EXPECT_NE(text.find("code " + std::string(kCode) + "\n"), std::string::npos) << text;

    QtForm w;
    w.UseStore();
    EXPECT_TRUE(w.ResumeAction()->isEnabled());
    w.ResumeAtStart();
    ASSERT_TRUE(ShowBuilt(w));
    EXPECT_EQ(w.Form().MazeCodeText(), kCode);
    EXPECT_EQ(w.Form().State().Moves().size(), 4u);
    EXPECT_TRUE(DrawingArea(w.BackingImage(), w) == before) << "the resumed drawing differs";
    EXPECT_FALSE(QFile::exists(KeptPath()));   // it is the game on screen now
    QTest::qWait(300);
    EXPECT_FALSE(w.ResumeAction()->isEnabled());
}

TEST_F(Stored, ABrokenKeptGameIsSetAsideWithOneLineAndTheGameStartsAsWritten) {
    {
        QFile kept(KeptPath());
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("Quivra kept game 1\ncode S15x10-11882719-Y\ntilt 4");   // cut short
    }
    QtForm w;
    w.UseStore();
    w.ResumeAtStart();
    ASSERT_TRUE(ShowBuilt(w));
    EXPECT_EQ(w.Text1()->text().toStdString(), kKeptGameBroken);
    EXPECT_EQ(w.Form().State().Moves().size(), 0u);
    EXPECT_EQ(w.Form().MazeCodeText().substr(0, 7), "S15x10-");   // a new maze that fits the window
    EXPECT_FALSE(QFile::exists(KeptPath()));
    const QStringList aside = QDir(QFileInfo(KeptPath()).absolutePath()).entryList({"kept-game.txt.broken-*"});
    EXPECT_EQ(aside.size(), 1);
}

TEST_F(Stored, RecordsAreKeptPerStyleAndSizeAndShownInATable) {
    {
        QtForm w;
        w.UseStore();
        w.Form().StartWithSize(SizeChoice::Named(0));
        ASSERT_TRUE(ShowBuilt(w));
        PressKeys(w, test::CorrectPathKeys(w.Form().State(), false));
        ASSERT_TRUE(w.Form().State().walk().exitReached);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.CountersLabel()->text().contains(kPerfectWalk.c_str()); }, 2000));
        EXPECT_TRUE(w.CountersLabel()->text().contains(kNewRecord.c_str()));
    }
    const Records records = GameStore().LoadRecords();
    ASSERT_EQ(records.Entries().count("square small"), 1u);
    EXPECT_EQ(records.Entries().at("square small").wins, 1);
    EXPECT_EQ(records.Entries().at("square small").perfectWalks, 1);

    QtForm w;
    w.UseStore();
    QStringList row;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* table = top->isVisible() ? top->findChild<QTableWidget*>() : nullptr;
            if (table == nullptr) continue;
            for (int c = 0; c < table->columnCount(); ++c) row << table->item(0, c)->text();
            top->close();
        }
    });
    poll.start(50);
    w.RecordsAction()->trigger();
    ASSERT_EQ(row.size(), 6);
    EXPECT_EQ(row[0].toStdString(), kStyleCaptions[kSquare]);
    EXPECT_EQ(row[1].toStdString(), kSizeNames[0]);
    EXPECT_EQ(row[2], "1");
    EXPECT_EQ(row[5], "1");
}

TEST_F(Stored, TheSizeAndTheWindowAreRememberedButNotTheStyle) {
    {
        QtForm w;
        w.UseStore();
        ASSERT_TRUE(ShowBuilt(w));
        w.SizeAction(1)->trigger();
        w.MarkExitAction()->trigger();
        w.Form().mnuStyleItem_Click(kHoneycomb);
        ASSERT_TRUE(ResizeClient(w, 640, 480));
        w.close();
    }
    QtForm w;
    w.UseStore();
    ASSERT_TRUE(ShowBuilt(w));
    EXPECT_EQ(w.ClientArea()->size(), QSize(640, 480));
    EXPECT_TRUE(w.SizeAction(1)->isChecked());
    EXPECT_TRUE(w.MarkExitAction()->isChecked());
    EXPECT_FALSE(w.MarkPlayerAction()->isChecked());
    EXPECT_EQ(w.Form().MazeCodeText().substr(0, 7), "S15x10-");   // square, as every start
    EXPECT_EQ(w.VScroll1()->value(), 45);
}

// Two windows closed mid-walk keep both walks; the menu resumes the most recent and says another is
// kept, then resumes that one.
TEST_F(Stored, TwoWindowsClosedMidWalkKeepBothWalks) {
    for (const size_t steps : {2u, 3u}) {
        QtForm w;
        w.UseStore();
        w.Form().StartWithCode(*ParseMazeCode(kCode).maze);
        ASSERT_TRUE(ShowBuilt(w));
        std::vector<int> keys = test::CorrectPathKeys(w.Form().State(), false);
        keys.resize(steps);
        PressKeys(w, keys);
        QTest::qWait(20);   // the two files' times differ
        w.close();
    }
    QtForm w;
    w.UseStore();
    ASSERT_TRUE(ShowBuilt(w));
    w.ResumeAction()->trigger();
    ASSERT_TRUE(ShowBuilt(w));
    EXPECT_EQ(w.Form().State().Moves().size(), 3u);
    EXPECT_EQ(w.Text1()->text().toStdString(), kAnotherGameKept);
    w.ResumeAction()->trigger();
    ASSERT_TRUE(ShowBuilt(w));
    EXPECT_EQ(w.Form().State().Moves().size(), 2u);
    EXPECT_NE(w.Text1()->text().toStdString(), kAnotherGameKept);
    QTest::qWait(300);
    EXPECT_FALSE(w.ResumeAction()->isEnabled());
}

// A remembered place off every screen, larger than the screen, or of no known form opens the
// window at its written size on the primary screen; one that fits is taken. Out-of-range values of
// other settings are ignored with their defaults.
TEST_F(Stored, ARememberedPlaceOffTheScreensOrTooLargeOpensTheWrittenSize) {
    QSize written;
    {
        QtForm fresh;
        ASSERT_TRUE(ShowBuilt(fresh));
        written = fresh.size();
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const struct {
        const char* geometry;
        bool taken;
    } rows[] = {
        {"30 40 520 380", true},
        {"0 0 1000000000 1000000000", false},
        {"-90000 -90000 520 380", false},
        {"30 40 5200 380", false},
        {"30 40 520", false},
        {"30 40 520 380 and more", true},   // the place is read; the rest is no maximised mark
        {"@ByteArray(\\x1\\xd9\\xd0\\xcb)", false},   // as an earlier version kept it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.geometry);
        const std::string path = GameStore().SettingsPath();
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[window]\ngeometry=") + row.geometry + "\n[maze]\nsize=enormous\n[options]\nmarkExit=2\n");
        file.close();
        QtForm w;
        w.UseStore();
        ASSERT_TRUE(ShowBuilt(w));
        if (row.taken) {
            EXPECT_EQ(w.geometry(), QRect(30, 40, 520, 380));
        } else {
            EXPECT_EQ(w.size(), written);
            EXPECT_TRUE(screen.contains(w.geometry())) << w.geometry().x() << "," << w.geometry().y();
        }
        EXPECT_TRUE(w.SizeAction(0)->isChecked());   // "enormous" is no size: fit the window
        EXPECT_FALSE(w.MarkExitAction()->isChecked());
        w.close();
    }
}

// A data folder that takes no file (here a plain file in its place, which stops root too, as a full
// or read-only disk would): one line each, and the game plays on.
TEST_F(Stored, AFolderThatTakesNoFileGivesOneLineAndTheGamePlaysOn) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(data).removeRecursively();
    QFile blocker(data);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    GameStore store;
    EXPECT_FALSE(store.Keep(KeptGame{*ParseMazeCode(kCode).maze, {2}, 45, 1}));
    EXPECT_NE(store.Problem().find("could not be kept"), std::string::npos) << store.Problem();
    Records records;
    records.Add("square small", 20, 20, 10);
    EXPECT_FALSE(store.SaveRecords(records));
    EXPECT_NE(store.Problem().find("records could not be written"), std::string::npos) << store.Problem();
    EXPECT_EQ(store.Problem().find('\n'), std::string::npos);

    QtForm w;
    w.UseStore();
    w.Form().StartWithSize(SizeChoice::Named(0));
    ASSERT_TRUE(ShowBuilt(w));
    PressKeys(w, test::CorrectPathKeys(w.Form().State(), false));
    EXPECT_TRUE(w.Form().State().walk().exitReached);
    EXPECT_EQ(w.Text1()->text().toStdString(), kCongratulation);
    QFile::remove(data);
}

}  // namespace
}  // namespace quivra
