<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Quivra</name>
    <message>
        <source>Quivra V%1 3D版</source>
        <translation>Quivra V%1 3D</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>View</translation>
    </message>
    <message>
        <source>俯视</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>第一人称</source>
        <translation>First Person</translation>
    </message>
    <message>
        <source>平面图</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>小地图</source>
        <translation>Corner Map</translation>
    </message>
    <message>
        <source>请用方向键前进、后退和转身</source>
        <translation>Arrow keys: forward, back, turn.</translation>
    </message>
    <message>
        <source>窗口太小!</source>
        <translation>Window too small!</translation>
    </message>
    <message>
        <source>恭喜!</source>
        <translation>Congratulations!</translation>
    </message>
    <message>
        <source>请使用方向键来行走</source>
        <translation>Walk with the arrow keys or W A S D.</translation>
    </message>
    <message>
        <source>请使用键： Home键, 上、下方向键, PgUp键, End键, 及 PgDn键 来行走。</source>
        <translation>Walk with Home ↑ PgUp / End ↓ PgDn, or Q W E / A S D.</translation>
    </message>
    <message>
        <source>新游戏</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>正确走法</source>
        <translation>Correct Path</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>蜂窝状</source>
        <translation>Honeycomb</translation>
    </message>
    <message>
        <source>四方形</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>游戏</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Quivra样式</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>复制迷宫代码</source>
        <translation>Copy Maze Code</translation>
    </message>
    <message>
        <source>输入迷宫代码…</source>
        <translation>Play a Code…</translation>
    </message>
    <message>
        <source>输入迷宫代码</source>
        <translation>Play a Code</translation>
    </message>
    <message>
        <source>迷宫代码：</source>
        <translation>Maze code:</translation>
    </message>
    <message>
        <source>Quivra V%1 3D版     邮箱：hello@quivra.dev   Brintel软件：https://quivra.dev/</source>
        <translation>Quivra V%1 3D     Email: hello@quivra.dev   Brintel Software: https://quivra.dev/</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>迷宫</source>
        <translation>Maze</translation>
    </message>
    <message>
        <source>第二页打印答案</source>
        <translation>Print the solution on a second page</translation>
    </message>
    <message>
        <source>Quivra 迷宫</source>
        <translation>Quivra maze</translation>
    </message>
    <message>
        <source>无法打印。</source>
        <translation>Cannot print.</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>特大</source>
        <translation>Huge</translation>
    </message>
    <message>
        <source>横向格数须在 %1 到 %2 之间</source>
        <translation>Cells across must be from %1 to %2</translation>
    </message>
    <message>
        <source>纵向格数须在 %1 到 %2 之间</source>
        <translation>Cells down must be from %1 to %2</translation>
    </message>
    <message>
        <source>蜂窝状的横向格数须为奇数</source>
        <translation>A honeycomb needs an odd number of cells across</translation>
    </message>
    <message>
        <source>迷宫大小</source>
        <translation>Maze Size</translation>
    </message>
    <message>
        <source>适应窗口</source>
        <translation>Fit the Window</translation>
    </message>
    <message>
        <source>自定义…</source>
        <translation>Custom…</translation>
    </message>
    <message>
        <source>自定义迷宫大小</source>
        <translation>Custom Maze Size</translation>
    </message>
    <message>
        <source>横向格数：</source>
        <translation>Cells across:</translation>
    </message>
    <message>
        <source>纵向格数：</source>
        <translation>Cells down:</translation>
    </message>
    <message>
        <source>继续上一局</source>
        <translation>Resume Last Game</translation>
    </message>
    <message>
        <source>隐藏正确走法</source>
        <translation>Hide Correct Path</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>还没有记录。</source>
        <translation>No records yet.</translation>
    </message>
    <message>
        <source>样式</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>胜局</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>最快</source>
        <translation>Best Time</translation>
    </message>
    <message>
        <source>最少步数</source>
        <translation>Fewest Steps</translation>
    </message>
    <message>
        <source>完美</source>
        <translation>Perfect</translation>
    </message>
    <message>
        <source>%1 步  %2</source>
        <translation>%1 steps  %2</translation>
    </message>
    <message>
        <source>%1 步（最少 %2） %3</source>
        <translation>%1 steps (fewest %2)  %3</translation>
    </message>
    <message>
        <source>完美!</source>
        <translation>Perfect!</translation>
    </message>
    <message>
        <source>新记录!</source>
        <translation>New record!</translation>
    </message>
    <message>
        <source>上一局无法继续，已另存。</source>
        <translation>The last game could not be resumed; it was set aside.</translation>
    </message>
    <message>
        <source>没有可继续的游戏。</source>
        <translation>No game to resume.</translation>
    </message>
    <message>
        <source>标记我的位置</source>
        <translation>Mark My Cell</translation>
    </message>
    <message>
        <source>标记出口</source>
        <translation>Mark the Exit</translation>
    </message>
</context>
</TS>
