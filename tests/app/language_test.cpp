// SPDX-License-Identifier: GPL-3.0-or-later
// The real window in the language a player's list picks: its own Chinese texts, or English.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <ostream>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "modal_guard.h"

namespace quivra {
namespace {

// What the window shows in one language: its title (the version filled in after translation), the
// four menu captions, the square hint, Qt's OK, and the game, view and help menus' items as drawn, with
// their shortcuts.
struct Shown {
    std::string title;
    std::vector<std::string> menus;
    std::string hint;
    std::string ok;
    std::vector<std::string> items;
    std::string hexHint;   // after switching to the honeycomb
    std::vector<std::string> sizes;   // the game menu's size submenu
    std::string waysApart;   // between the ways of F3's hint
};

const Shown kChinese{"Quivra V" + std::string(kVersion) + " 3D版",
                     {kActionMenuCaption, kStyleMenuCaption, kViewMenuCaption, kHelpMenuCaption},
                     kSquareHint,
                     "确定",
                     {"新游戏\tF2, Ctrl+N", "继续上一局", "回到上一个迷宫\tCtrl+Z", "正确走法", "隐藏正确走法\tCtrl+H",
                      "提示\tF3", "暂停\tPause, P", "清除", "迷宫大小", "记录", "",
                      "标记我的位置", "标记出口", "",
                      "复制迷宫代码\tCtrl+C", "输入迷宫代码…\tCtrl+O", "打印…\tCtrl+P", "练习册…", "", "退出\tCtrl+Q",
                      "俯视", "第一人称", "平面图", "", "小地图", "", "放大\tCtrl+=, Ctrl++", "缩小\tCtrl+-",
                      "整个迷宫\tCtrl+0", "游戏说明\tF1", "", "关于"},
                     kHexHint,
                     {"适应窗口", "", "小\t15×10", "中\t30×20", "大\t60×40", "特大\t120×80", "", "自定义…"},
                     "、"};
const Shown kEnglish{"Quivra V" + std::string(kVersion) + " 3D",
                     {"Game", "Style", "View", "Help"},
                     "Walk with the arrow keys or W A S D.",
                     "OK",
                     {"New Game\tF2, Ctrl+N", "Resume Last Game", "Back to the Last Maze\tCtrl+Z", "Correct Path",
                      "Hide Correct Path\tCtrl+H", "Hint\tF3", "Pause\tPause, P", "Clear",
                      "Maze Size", "Records", "", "Mark My Cell", "Mark the Exit", "", "Copy Maze Code\tCtrl+C", "Play a Code…\tCtrl+O",
                      "Print…\tCtrl+P", "Worksheets…", "", "Quit\tCtrl+Q", "Overview", "First Person", "Plan", "", "Corner Map", "", "Zoom In\tCtrl+=, Ctrl++",
                      "Zoom Out\tCtrl+-", "Whole Maze\tCtrl+0", "How to Play\tF1", "", "About"},
                     "Walk with Home ↑ PgUp / End ↓ PgDn, or Q W E / A S D.",
                     {"Fit the Window", "", "Small\t15×10", "Medium\t30×20", "Large\t60×40", "Huge\t120×80", "",
                      "Custom…"},
                     ", "};

// One player's desktop: QLocale::uiLanguages() as Qt reads it from LANG and LANGUAGE.
struct Desktop {
    const char* name;
    QStringList uiLanguages;
    const Shown& expected;
};

void PrintTo(const Desktop& desktop, std::ostream* os) { *os << desktop.name; }

const Desktop kDesktops[] = {
    {"C", {"C"}, kChinese},
    {"zh_CN", {"zh-CN", "zh-Hans-CN", "zh"}, kChinese},
    {"en_US", {"en-US", "en-Latn-US", "en"}, kEnglish},
    {"LANGUAGE_de_en", {"de", "de-Latn-DE", "de-DE", "en", "en-Latn-US", "en-US"}, kEnglish},
    {"de_DE_alone", {"de-DE", "de-Latn-DE", "de"}, kEnglish},
    {"fr_FR_alone", {"fr-FR", "fr-Latn-FR", "fr"}, kEnglish},
    {"LANGUAGE_fr_zh", {"fr", "fr-Latn-FR", "fr-FR", "zh-CN", "zh-Hans-CN", "zh"}, kChinese},
};

Shown WhatTheWindowShows() {
    QtForm w;
    w.Timer1()->setInterval(5);   // the build itself is not under test
    w.show();
    Shown shown;
    shown.title = w.windowTitle().toStdString();
    for (const QAction* menu : w.menuBar()->actions()) shown.menus.push_back(menu->text().toStdString());
    for (const int index : {0, 2, 3}) {
        const auto* menu = static_cast<const ShortcutMenu*>(w.menuBar()->actions()[index]->menu());
        for (const QAction* item : menu->actions()) shown.items.push_back(menu->ShownText(item).toStdString());
    }
    for (const QAction* item : w.SizeMenu()->actions()) shown.sizes.push_back(item->text().toStdString());
    if (QTest::qWaitForWindowExposed(&w) && QTest::qWaitFor([&] { return !w.Text1()->text().isEmpty(); }, 10000)) {
        shown.hint = w.Text1()->text().toStdString();
        w.Form().mnuStyleItem_Click(kHoneycomb);
        if (QTest::qWaitFor([&] { return !w.Text1()->text().isEmpty() && w.Text1()->text().toStdString() != shown.hint; },
                            10000)) {
            shown.hexHint = w.Text1()->text().toStdString();
            w.HintAction()->trigger();
            const QString hinted = w.Text1()->text();
            for (const char* apart : {"、", ", "}) {
                if (hinted.contains(QString::fromUtf8(apart))) shown.waysApart = apart;
            }
        }
    }
    QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
    shown.ok = box.button(QMessageBox::Ok)->text().remove('&').toStdString();
    return shown;
}

class Language : public ::testing::TestWithParam<Desktop> {
protected:
    void TearDown() override { UseLanguage(kSourceLanguage); }   // the next tests' window is Chinese
};

TEST_P(Language, TheWindowSpeaksWhatThePlayersListPicks) {
    ASSERT_TRUE(UseLanguage(ChooseLanguage(GetParam().uiLanguages)));
    const Shown shown = WhatTheWindowShows();
    EXPECT_EQ(shown.title, GetParam().expected.title);
    EXPECT_EQ(shown.menus, GetParam().expected.menus);
    EXPECT_EQ(shown.hint, GetParam().expected.hint);
    EXPECT_EQ(shown.ok, GetParam().expected.ok);
    EXPECT_EQ(shown.items, GetParam().expected.items);
    EXPECT_EQ(shown.hexHint, GetParam().expected.hexHint);
    EXPECT_EQ(shown.sizes, GetParam().expected.sizes);
    EXPECT_EQ(shown.waysApart, GetParam().expected.waysApart);
}

// A player's session as it starts the game: LANG and LANGUAGE in the environment, read by Qt when
// it starts. CTest runs this with several sessions (tests/app/CMakeLists.txt) and says which
// language each one should get.
TEST(PlayerSession, TheWindowSpeaksTheSessionsLanguage) {
    const char* expected = std::getenv("QUIVRA_EXPECT_LANGUAGE");
    if (expected == nullptr) GTEST_SKIP() << "run by CTest with a session's LANG and LANGUAGE";
    ASSERT_TRUE(UsePlayersLanguage());
    const Shown& want = std::string(expected) == "en" ? kEnglish : kChinese;
    const Shown shown = WhatTheWindowShows();
    UseLanguage(kSourceLanguage);
    EXPECT_EQ(shown.title, want.title);
    EXPECT_EQ(shown.menus, want.menus);
    EXPECT_EQ(shown.hint, want.hint);
    EXPECT_EQ(shown.hexHint, want.hexHint);
    EXPECT_EQ(shown.ok, want.ok);
    EXPECT_EQ(shown.items, want.items);
    EXPECT_EQ(shown.sizes, want.sizes);
    EXPECT_EQ(shown.waysApart, want.waysApart);
}

// What a player new to the game reads, in each language: F1's How to Play, and the note that
// answers Ctrl+C.
struct Help {
    const char* language;
    std::string title;
    std::vector<QString> words;   // besides every menu item as the menus show it
    QString copied;
};

void PrintTo(const Help& help, std::ostream* os) { *os << help.language; }

const Help kHelps[] = {
    {"zh_CN", "游戏说明", {"W A S D", "Q W E", "Home", "PgDn", "小键盘", "鼠标", "Ctrl+C", "Ctrl+O", "F10"}, "已复制"},
    {"en", "How to Play", {"W A S D", "Q W E", "Home", "PgDn", "keypad", "Mouse", "Ctrl+C", "Ctrl+O", "F10"}, "copied"},
};

class HelpForNewPlayers : public ::testing::TestWithParam<Help> {
protected:
    void SetUp() override { ASSERT_TRUE(UseLanguage(GetParam().language)); }
    void TearDown() override { UseLanguage(kSourceLanguage); }
};

TEST_P(HelpForNewPlayers, F1ShowsHowToPlayWithTheKeysTheMouseCodesAndMenus) {
    QtForm w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QString title, text;
    const test::ModalGuard guard;
    QTimer::singleShot(100, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    EXPECT_FALSE(guard.Fired()) << "How to Play stayed open";
    EXPECT_EQ(title.toStdString(), GetParam().title);
    for (const QString& word : GetParam().words) EXPECT_TRUE(text.contains(word)) << word.toStdString();
    for (const QAction* menu : w.menuBar()->actions()) {
        if (menu == w.menuBar()->actions().back()) break;   // Help is where the player is
        EXPECT_TRUE(text.contains(menu->text())) << menu->text().toStdString();
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) continue;
            EXPECT_TRUE(text.contains(item->text())) << item->text().toStdString();
        }
    }
    EXPECT_FALSE(text.contains('%'));
    EXPECT_TRUE(w.Action(Menu::Help, 0)->shortcut().isEmpty());
}

TEST_P(HelpForNewPlayers, CtrlCAnswersWithANoteAndKeepsTheStatusLine) {
    QtForm w;
    w.SetMazeCodeSource([] { return std::string("S15x10-11882719-Y"); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Text1()->text().isEmpty(); }, 10000));
    const QString status = w.Text1()->text();
    QTest::keyClick(w.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_TRUE(QToolTip::text().contains("S15x10-11882719-Y")) << QToolTip::text().toStdString();
    EXPECT_TRUE(QToolTip::text().contains(GetParam().copied)) << QToolTip::text().toStdString();
    EXPECT_EQ(w.Text1()->text(), status);
    QToolTip::hideText();
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpForNewPlayers, ::testing::ValuesIn(kHelps),
                         [](const ::testing::TestParamInfo<Help>& help) { return std::string(help.param.language); });

INSTANTIATE_TEST_SUITE_P(Desktops, Language, ::testing::ValuesIn(kDesktops),
                         [](const ::testing::TestParamInfo<Desktop>& desktop) { return desktop.param.name; });

}  // namespace
}  // namespace quivra
