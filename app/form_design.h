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
// Print refuses a maze whose walls would not print on the paper chosen; %1 is the tool's reason.
inline const std::string kPrintRefused = QT_TRANSLATE_NOOP("Quivra", "这个迷宫无法在这种纸上打印：%1");

// The game menu's Worksheets item and its dialog, which makes the tool's booklets.
inline const std::string kWorksheetsCaption = QT_TRANSLATE_NOOP("Quivra", "练习册…");
inline const std::string kWorksheetsTitle = QT_TRANSLATE_NOOP("Quivra", "练习册");
inline const std::string kSheetStylePrompt = QT_TRANSLATE_NOOP("Quivra", "样式：");
inline const std::string kSheetLevelPrompt = QT_TRANSLATE_NOOP("Quivra", "难度：");
// %1: 1 to 5, from a few large cells to many small ones.
inline const std::string kSheetLevel = QT_TRANSLATE_NOOP("Quivra", "第 %1 级");
inline const std::string kSheetByCells = QT_TRANSLATE_NOOP("Quivra", "按格数");
inline const std::string kSheetCellsPrompt = QT_TRANSLATE_NOOP("Quivra", "格数：");
inline const std::string kSheetCountPrompt = QT_TRANSLATE_NOOP("Quivra", "迷宫数：");
inline const std::string kSheetPerPagePrompt = QT_TRANSLATE_NOOP("Quivra", "每页迷宫数：");
inline const std::string kSheetPaperPrompt = QT_TRANSLATE_NOOP("Quivra", "纸张：");
inline const std::string kSheetTitlePrompt = QT_TRANSLATE_NOOP("Quivra", "标题：");
inline const std::string kSheetNameLine = QT_TRANSLATE_NOOP("Quivra", "姓名和日期栏");
inline const std::string kSheetSolutionsPrompt = QT_TRANSLATE_NOOP("Quivra", "答案：");
inline const std::string kSheetSolutionChoices[] = {QT_TRANSLATE_NOOP("Quivra", "附在最后"),
                                                    QT_TRANSLATE_NOOP("Quivra", "单独一个文件"),
                                                    QT_TRANSLATE_NOOP("Quivra", "不要答案")};
inline const std::string kSheetLanguagePrompt = QT_TRANSLATE_NOOP("Quivra", "页面语言：");
inline const std::string kSheetLanguages[] = {QT_TRANSLATE_NOOP("Quivra", "中文"), QT_TRANSLATE_NOOP("Quivra", "英文")};
inline const std::string kSheetFirstPage = QT_TRANSLATE_NOOP("Quivra", "第一页");
inline const std::string kSheetSolutionPage = QT_TRANSLATE_NOOP("Quivra", "答案页");
inline const std::string kSheetSavePdf = QT_TRANSLATE_NOOP("Quivra", "存为 PDF…");
inline const std::string kSheetClose = QT_TRANSLATE_NOOP("Quivra", "关闭");
inline const std::string kSheetSaveTitle = QT_TRANSLATE_NOOP("Quivra", "保存练习册");
inline const std::string kSheetSaveSolutionsTitle = QT_TRANSLATE_NOOP("Quivra", "保存答案");
inline const std::string kSheetPdfFiles = QT_TRANSLATE_NOOP("Quivra", "PDF 文件 (*.pdf)");
// The solutions' file beside the booklet printed to a PDF file; %1 is the booklet's name.
inline const std::string kSheetSolutionsName = QT_TRANSLATE_NOOP("Quivra", "%1-答案.pdf");
inline const std::string kSheetChoosing = QT_TRANSLATE_NOOP("Quivra", "正在挑选迷宫…");
inline const std::string kSheetDrawing = QT_TRANSLATE_NOOP("Quivra", "正在绘制迷宫…");
inline const std::string kSheetWritingSolutions = QT_TRANSLATE_NOOP("Quivra", "正在写入答案…");
inline const std::string kSheetCancel = QT_TRANSLATE_NOOP("Quivra", "取消");
// %1 is the tool's reason, in one line.
inline const std::string kSheetRefused = QT_TRANSLATE_NOOP("Quivra", "无法制作练习册：%1");
// The solutions' file chosen is the booklet's own.
inline const std::string kSheetSolutionsSameFile =
    QT_TRANSLATE_NOOP("Quivra", "答案不能写进练习册本身的文件：请给答案另选一个文件名。");
// %1 pages written to %2.
inline const std::string kSheetSaved = QT_TRANSLATE_NOOP("Quivra", "已写入 %1 页：%2");
inline const std::string kSheetNoSpooler = QT_TRANSLATE_NOOP("Quivra", "无法交给打印机（需要 lp 命令）。");
// Under the preview: the size the booklet's level chose, in cells.
inline const std::string kSheetCellsChosen = QT_TRANSLATE_NOOP("Quivra", "每个迷宫 %1 × %2 格");

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
inline const std::string kGameNotKept = QT_TRANSLATE_NOOP("Quivra", "这一局未能保存。");
inline const std::string kAnotherGameKept = QT_TRANSLATE_NOOP("Quivra", "还有另一局已保存。");

// Pausing, a hint of the way on, and the maze a new one threw away.
inline const std::string kPauseCaption = QT_TRANSLATE_NOOP("Quivra", "暂停");
inline const std::string kPausedText = QT_TRANSLATE_NOOP("Quivra", "已暂停，按 P 键继续。");
inline const std::string kHintCaption = QT_TRANSLATE_NOOP("Quivra", "提示");
inline const std::string kHintText = QT_TRANSLATE_NOOP("Quivra", "提示：%1");
inline const std::string kHintWaysApart = QT_TRANSLATE_NOOP("Quivra", "、");   // between the hint's ways
inline const std::string kSquareWays[] = {QT_TRANSLATE_NOOP("Quivra", "左"), QT_TRANSLATE_NOOP("Quivra", "下"),
                                          QT_TRANSLATE_NOOP("Quivra", "右"), QT_TRANSLATE_NOOP("Quivra", "上")};
inline const std::string kHoneycombWays[] = {QT_TRANSLATE_NOOP("Quivra", "左上"), QT_TRANSLATE_NOOP("Quivra", "左下"),
                                             QT_TRANSLATE_NOOP("Quivra", "上"), QT_TRANSLATE_NOOP("Quivra", "下"),
                                             QT_TRANSLATE_NOOP("Quivra", "右上"), QT_TRANSLATE_NOOP("Quivra", "右下")};
inline const std::string kBackToLastMazeCaption = QT_TRANSLATE_NOOP("Quivra", "回到上一个迷宫");
inline const std::string kWithHelp = QT_TRANSLATE_NOOP("Quivra", "有帮助，不计记录");

// Action menu indices.
constexpr int kNewGame = 0, kShowSolution = 1, kClear = 2, kExit = 4;
// Style menu indices.
constexpr int kHoneycomb = 0, kSquare = 1;
// View menu indices.
constexpr int kOverview = 0, kFirstPerson = 1, kPlan = 2, kCornerMap = 4;

}  // namespace quivra
