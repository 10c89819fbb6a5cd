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
        <source>代码应形如 S21x13-12345678-K</source>
        <translation>not of the form S21x13-12345678-K</translation>
    </message>
    <message>
        <source>代码须以 S（四方形）或 H（蜂窝状）开头</source>
        <translation>it must start with S (square) or H (honeycomb)</translation>
    </message>
    <message>
        <source>格数不是两个整数</source>
        <translation>the cells are not two whole numbers</translation>
    </message>
    <message>
        <source>种子须为八位数字</source>
        <translation>the seed must be eight digits</translation>
    </message>
    <message>
        <source>校验字符不符（代码输错了？）</source>
        <translation>its check character does not match (a mistyped code?)</translation>
    </message>
    <message>
        <source>蜂窝状迷宫的 X 须为不小于 3 的奇数，Y 不小于 2</source>
        <translation>a honeycomb needs an odd X of at least 3 and Y of at least 2</translation>
    </message>
    <message>
        <source>四方形迷宫至少要 2 x 2 格</source>
        <translation>a square maze needs at least 2 x 2 cells</translation>
    </message>
    <message>
        <source>迷宫超过每边 %1 格或共 %2 个格点</source>
        <translation>its maze is larger than %1 cells a side or %2 grid positions</translation>
    </message>
    <message>
        <source>迷宫太大，无法绘制</source>
        <translation>it names a maze too large to draw</translation>
    </message>
</context>
</TS>
