// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's texts and design values, shared by its handlers and the hosts.
#include <QtGlobal>

#include <string>

#include "game/texts.h"
#include "game/window_design.h"
#include "quivra_version.h"

namespace quivra {

// A text that names the version holds %1 in its place, filled in after translation, so that a
// new release needs no new translation.
inline std::string WithVersion(std::string text) {
    const size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, kVersion);
    return text;
}

// The window's own texts. They stay Chinese here: the real window translates them as it shows
// them (translations/quivra_*.ts, context "Quivra"); the status line's are in game/texts.h.
inline const std::string kCaptionWithPlaceholder = QT_TRANSLATE_NOOP("Quivra", "Quivra V%1 3D版");
inline const std::string kCaption = WithVersion(kCaptionWithPlaceholder);

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
// The short-lived note that answers Ctrl+C; %1 is the code.
inline const std::string kCodeCopiedNote = QT_TRANSLATE_NOOP("Quivra", "已复制迷宫代码 %1");
// Why the dialog refuses a code, by CodeRefusal (maze/maze_code.h); %1 and %2 are the limits.
inline const std::string kCodeRefusals[] = {
    "",
    QT_TRANSLATE_NOOP("Quivra", "代码应形如 S21x13-12345678-K"),
    QT_TRANSLATE_NOOP("Quivra", "代码须以 S（四方形）或 H（蜂窝状）开头"),
    QT_TRANSLATE_NOOP("Quivra", "格数不是两个整数"),
    QT_TRANSLATE_NOOP("Quivra", "种子须为八位数字"),
    QT_TRANSLATE_NOOP("Quivra", "校验字符不符（代码输错了？）"),
    QT_TRANSLATE_NOOP("Quivra", "蜂窝状迷宫的 X 须为不小于 3 的奇数，Y 不小于 2"),
    QT_TRANSLATE_NOOP("Quivra", "四方形迷宫至少要 2 x 2 格"),
    QT_TRANSLATE_NOOP("Quivra", "迷宫超过每边 %1 格或共 %2 个格点"),
    QT_TRANSLATE_NOOP("Quivra", "迷宫太大，无法绘制"),
};

// The game menu's Print item, its dialog's own tab, and the printed page's title.
inline const std::string kPrintCaption = QT_TRANSLATE_NOOP("Quivra", "打印…");
inline const std::string kPrintTabTitle = QT_TRANSLATE_NOOP("Quivra", "迷宫");
inline const std::string kPrintSolutionCaption = QT_TRANSLATE_NOOP("Quivra", "第二页打印答案");
inline const std::string kPrintTitle = QT_TRANSLATE_NOOP("Quivra", "Quivra 迷宫");
inline const std::string kPrintFailed = QT_TRANSLATE_NOOP("Quivra", "无法打印。");

// The view menu: the written scene, the view from inside, the flat plan, and the corner map of the
// view from inside.
inline const std::string kViewMenuCaption = QT_TRANSLATE_NOOP("Quivra", "视图");
inline const std::string kViewCaptions[] = {QT_TRANSLATE_NOOP("Quivra", "俯视"), QT_TRANSLATE_NOOP("Quivra", "第一人称"),
                                            QT_TRANSLATE_NOOP("Quivra", "平面图"), "-",
                                            QT_TRANSLATE_NOOP("Quivra", "小地图")};
// The view menu's zoom items, for the scene and the plan.
inline const std::string kZoomInCaption = QT_TRANSLATE_NOOP("Quivra", "放大");
inline const std::string kZoomOutCaption = QT_TRANSLATE_NOOP("Quivra", "缩小");
inline const std::string kWholeMazeCaption = QT_TRANSLATE_NOOP("Quivra", "整个迷宫");

// The game menu's size submenu, between 清除 and the separator, and its dialog for cells of one's own.
inline const std::string kSizeMenuCaption = QT_TRANSLATE_NOOP("Quivra", "迷宫大小");
inline const std::string kFitWindowCaption = QT_TRANSLATE_NOOP("Quivra", "适应窗口");
inline const std::string kCustomSizeCaption = QT_TRANSLATE_NOOP("Quivra", "自定义…");
inline const std::string kCustomSizeTitle = QT_TRANSLATE_NOOP("Quivra", "自定义迷宫大小");
inline const std::string kCellsAcrossPrompt = QT_TRANSLATE_NOOP("Quivra", "横向格数：");
inline const std::string kCellsDownPrompt = QT_TRANSLATE_NOOP("Quivra", "纵向格数：");

// The game menu's items for a game that lasts, and what they show.
inline const std::string kResumeCaption = QT_TRANSLATE_NOOP("Quivra", "继续上一局");
inline const std::string kHideSolutionCaption = QT_TRANSLATE_NOOP("Quivra", "隐藏正确走法");
inline const std::string kRecordsCaption = QT_TRANSLATE_NOOP("Quivra", "记录");
inline const std::string kMarkPlayerCaption = QT_TRANSLATE_NOOP("Quivra", "标记我的位置");
inline const std::string kMarkExitCaption = QT_TRANSLATE_NOOP("Quivra", "标记出口");
inline const std::string kNoRecords = QT_TRANSLATE_NOOP("Quivra", "还没有记录。");
inline const std::string kRecordColumns[] = {
    QT_TRANSLATE_NOOP("Quivra", "样式"), QT_TRANSLATE_NOOP("Quivra", "大小"), QT_TRANSLATE_NOOP("Quivra", "胜局"),
    QT_TRANSLATE_NOOP("Quivra", "最快"), QT_TRANSLATE_NOOP("Quivra", "最少步数"), QT_TRANSLATE_NOOP("Quivra", "完美")};
inline const std::string kStepsAndTime = QT_TRANSLATE_NOOP("Quivra", "%1 步  %2");
inline const std::string kWalkSummary = QT_TRANSLATE_NOOP("Quivra", "%1 步（最少 %2） %3");
inline const std::string kPerfectWalk = QT_TRANSLATE_NOOP("Quivra", "完美!");
inline const std::string kNewRecord = QT_TRANSLATE_NOOP("Quivra", "新记录!");
inline const std::string kKeptGameBroken = QT_TRANSLATE_NOOP("Quivra", "上一局无法继续，已另存。");
inline const std::string kNoKeptGame = QT_TRANSLATE_NOOP("Quivra", "没有可继续的游戏。");

// Action menu indices.
constexpr int kNewGame = 0, kShowSolution = 1, kClear = 2, kExit = 4;
// Style menu indices.
constexpr int kHoneycomb = 0, kSquare = 1;
// View menu indices.
constexpr int kOverview = 0, kFirstPerson = 1, kPlan = 2, kCornerMap = 4;

}  // namespace quivra
