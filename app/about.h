// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who made the game and where to find it; shown by About.
#include <QtGlobal>

#include <string>

#include "app/form_design.h"

namespace quivra {

inline const std::string kMakerEmail = "hello@quivra.dev";
inline const std::string kHomePage = "https://quivra.dev/";

// Title, and the text with its exact blanks: five after the caption, three before the maker. One literal with
// the address and home page written out, as the window translates the whole text; %1 is the version.
inline const std::string kAboutTitle = QT_TRANSLATE_NOOP("Quivra", "关于");
inline const std::string kAboutTextWithPlaceholder =
    QT_TRANSLATE_NOOP("Quivra", "Quivra V%1 3D版     邮箱：hello@quivra.dev   Brintel软件：https://quivra.dev/");
inline std::string AboutText() { return WithVersion(kAboutTextWithPlaceholder); }

// How to play, under Help with F1. The menus' own captions are filled in after translation, so the
// text names them as the menus show them: %1 游戏, %2 新游戏, %3 正确走法, %4 清除, %5 复制迷宫代码,
// %6 输入迷宫代码…, %7 退出, %8 Quivra样式, %9 蜂窝状, %10 四方形, %11 打印…, %12 视图, %13 俯视,
// %14 第一人称, %15 平面图, %16 小地图, %17 继续上一局, %18 隐藏正确走法, %19 迷宫大小, %20 记录,
// %21 标记我的位置, %22 标记出口, %23 回到上一个迷宫, %24 提示, %25 暂停, %26 练习册…, %27 放大, %28 缩小, %29 整个迷宫.
inline const std::string kHowToPlayCaption = QT_TRANSLATE_NOOP("Quivra", "游戏说明");
inline const std::string kHowToPlayText = QT_TRANSLATE_NOOP(
    "Quivra",
    "从上方的入口走到下方的出口。每走一步画一条绿线，退回自己走过的路画黄线；撞墙会响一声。\n\n"
    "四方形：方向键，或小键盘 4 2 6 8，或字母 W A S D（上、左、下、右）。\n\n"
    "蜂窝状：Home / End（左上 / 左下）、上 / 下方向键、PgUp / PgDn（右上 / 右下），"
    "或小键盘 7 1 8 2 9 3，或字母 Q W E（左上、上、右上）/ A S D（左下、下、右下）。\n\n"
    "鼠标和触摸屏：点击或轻触旁边的格子就走过去（有墙则响一声），"
    "点击一条直通走廊里更远的格子就一直走到那里。\n\n"
    "迷宫代码：“%5”（Ctrl+C）把迷宫的代码复制到剪贴板，"
    "“%6”（Ctrl+O）玩别人给你的迷宫，也可以用 quivra --code 代码 启动游戏。\n\n"
    "菜单“%1”：“%2”（F2 或 Ctrl+N）换一个新迷宫；“%3”用红线显示正确的路，清除前不能再走；"
    "“%4”擦掉你的路线，在同一个迷宫里重新开始；“%11”（Ctrl+P）打印迷宫；“%26”为全班做一本练习册，连同答案，"
    "存成 PDF 或打印；“%7”（Ctrl+Q）。"
    "“%17”接着玩上次关窗时没走完的一局；“%18”（Ctrl+H）把正确的路再藏起来；“%19”选新迷宫的大小；"
    "“%20”列出你的成绩；“%21”和“%22”在场景里标出你的位置和出口。“%23”（Ctrl+Z）回到被新迷宫换掉的那一局；“%24”（F3）显示接下来的三步两秒钟，这一局不再计入记录；“%25”（P 或 Pause）暂停计时并遮住迷宫。\n"
    "菜单“%8”：在“%9”和“%10”之间切换，每次切换都开始一个新迷宫。\n"
    "菜单“%12”：“%13”是倾斜的全景，每局都从这里开始；“%14”让你站在迷宫里：上 / W / 小键盘 8 前进，"
    "下 / S / 小键盘 2 后退，左 / A / 小键盘 4 和右 / D / 小键盘 6 转身，点击前方的地面沿直通走廊走过去；"
    "“%15”是平面图；“%16”在第一人称时把走过的格子画在角上。"
    "“%27”（Ctrl+=）、“%28”（Ctrl+-）和“%29”（Ctrl+0）把全景和平面图放大、缩小和还原成整个迷宫，放大后视图跟着你走；按住 Ctrl 转动滚轮或两指捏合也能缩放。\n"
    "右边的滚动条把视角在 30 到 60 度之间倾斜。F10 打开菜单栏。");

}  // namespace quivra
