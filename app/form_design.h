// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's texts and design values, shared by its handlers and the hosts.
#include <QtGlobal>

#include <string>

namespace quivra {

// Texts the game shows. They stay Chinese here: the real window translates them as it shows them
// (translations/quivra_*.ts, context "Quivra"), so the headless host and quivra-tool see these.
inline const std::string kCaption = QT_TRANSLATE_NOOP("Quivra", "Quivra V3.05 3D版");
inline const std::string kTooSmall = QT_TRANSLATE_NOOP("Quivra", "窗口太小!");
inline const std::string kCongratulation = QT_TRANSLATE_NOOP("Quivra", "恭喜!");
inline const std::string kSquareHint = QT_TRANSLATE_NOOP("Quivra", "请使用方向键来行走");
inline const std::string kHexHint =
    QT_TRANSLATE_NOOP("Quivra", "请使用键： Home键, 上、下方向键, PgUp键, End键, 及 PgDn键 来行走。");

// Menu captions by menu and index ("-" is the separator).
inline const std::string kActionCaptions[] = {
    QT_TRANSLATE_NOOP("Quivra", "新游戏"), QT_TRANSLATE_NOOP("Quivra", "正确走法"), QT_TRANSLATE_NOOP("Quivra", "清除"), "-",
    QT_TRANSLATE_NOOP("Quivra", "退出")};
inline const std::string kStyleCaptions[] = {QT_TRANSLATE_NOOP("Quivra", "蜂窝状"),
                                             QT_TRANSLATE_NOOP("Quivra", "四方形")};
inline const std::string kHelpCaptions[] = {QT_TRANSLATE_NOOP("Quivra", "关于")};
inline const std::string kActionMenuCaption = QT_TRANSLATE_NOOP("Quivra", "游戏");
inline const std::string kStyleMenuCaption = QT_TRANSLATE_NOOP("Quivra", "Quivra样式");
inline const std::string kHelpMenuCaption = QT_TRANSLATE_NOOP("Quivra", "帮助");

// The game menu's items for maze codes, between its written items and 退出, and the dialog that
// plays a code.
inline const std::string kCopyCodeCaption = QT_TRANSLATE_NOOP("Quivra", "复制迷宫代码");
inline const std::string kPlayCodeCaption = QT_TRANSLATE_NOOP("Quivra", "输入迷宫代码…");
inline const std::string kPlayCodeTitle = QT_TRANSLATE_NOOP("Quivra", "输入迷宫代码");
inline const std::string kPlayCodePrompt = QT_TRANSLATE_NOOP("Quivra", "迷宫代码：");

// Design values of the window and its controls, in twips (15 per pixel).
constexpr int kClientWidthTwips = 6000;
constexpr int kClientHeightTwips = 4470;
constexpr int kText1HeightTwips = 288;
constexpr int kVScroll1WidthTwips = 252;
constexpr int kVScroll1Min = 30;
constexpr int kVScroll1Max = 60;
constexpr int kVScroll1Start = 45;
constexpr int kTimer1Interval = 55;   // ms
constexpr double kGenerationBudget = 0.25;   // seconds

// Action menu indices.
constexpr int kNewGame = 0, kShowSolution = 1, kClear = 2, kExit = 4;
// Style menu indices.
constexpr int kHoneycomb = 0, kSquare = 1;

}  // namespace quivra
