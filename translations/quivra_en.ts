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
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>整个迷宫</source>
        <translation>Whole Maze</translation>
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
    <message>
        <source>已复制迷宫代码 %1</source>
        <translation>Maze code %1 copied</translation>
    </message>
    <message>
        <source>游戏说明</source>
        <translation>How to Play</translation>
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
        <source>这一局未能保存。</source>
        <translation>This game could not be kept.</translation>
    </message>
    <message>
        <source>还有另一局已保存。</source>
        <translation>Another game is kept too.</translation>
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
    <message>
        <source>从上方的入口走到下方的出口。每走一步画一条绿线，退回自己走过的路画黄线；撞墙会响一声。

四方形：方向键，或小键盘 4 2 6 8，或字母 W A S D（上、左、下、右）。

蜂窝状：Home / End（左上 / 左下）、上 / 下方向键、PgUp / PgDn（右上 / 右下），或小键盘 7 1 8 2 9 3，或字母 Q W E（左上、上、右上）/ A S D（左下、下、右下）。

鼠标和触摸屏：点击或轻触旁边的格子就走过去（有墙则响一声），点击一条直通走廊里更远的格子就一直走到那里。

迷宫代码：“%5”（Ctrl+C）把迷宫的代码复制到剪贴板，“%6”（Ctrl+O）玩别人给你的迷宫，也可以用 quivra --code 代码 启动游戏。

菜单“%1”：“%2”（F2 或 Ctrl+N）换一个新迷宫；“%3”用红线显示正确的路，清除前不能再走；“%4”擦掉你的路线，在同一个迷宫里重新开始；“%11”（Ctrl+P）打印迷宫；“%26”为全班做一本练习册，连同答案，存成 PDF 或打印；“%7”（Ctrl+Q）。“%17”接着玩上次关窗时没走完的一局；“%18”（Ctrl+H）把正确的路再藏起来；“%19”选新迷宫的大小；“%20”列出你的成绩；“%21”和“%22”在场景里标出你的位置和出口。“%23”（Ctrl+Z）回到被新迷宫换掉的那一局；“%24”（F3）显示接下来的三步两秒钟，这一局不再计入记录；“%25”（P 或 Pause）暂停计时并遮住迷宫。
菜单“%8”：在“%9”和“%10”之间切换，每次切换都开始一个新迷宫。
菜单“%12”：“%13”是倾斜的全景，每局都从这里开始；“%14”让你站在迷宫里：上 / W / 小键盘 8 前进，下 / S / 小键盘 2 后退，左 / A / 小键盘 4 和右 / D / 小键盘 6 转身，点击前方的地面沿直通走廊走过去；“%15”是平面图；“%16”在第一人称时把走过的格子画在角上。“%27”（Ctrl+=）、“%28”（Ctrl+-）和“%29”（Ctrl+0）把全景和平面图放大、缩小和还原成整个迷宫，放大后视图跟着你走；按住 Ctrl 转动滚轮或两指捏合也能缩放。
右边的滚动条把视角在 30 到 60 度之间倾斜。F10 打开菜单栏。</source>
        <translation>Walk from the entrance at the top to the exit at the bottom. Each step draws a green line, a step back onto your own trail a yellow one; walking into a wall beeps.

Square: the arrow keys, or keypad 4 2 6 8, or the letters W A S D (up, left, down, right).

Honeycomb: Home / End (up-left / down-left), Up / Down, PgUp / PgDn (up-right / down-right), or keypad 7 1 8 2 9 3, or the letters Q W E (up-left, up, up-right) / A S D (down-left, down, down-right).

Mouse and touch screen: click or tap the cell next to you to step there (a wall beeps), or a cell further along a straight open corridor to walk there.

Maze codes: “%5” (Ctrl+C) copies the maze’s code to the clipboard, “%6” (Ctrl+O) plays a maze someone gave you; quivra --code CODE starts the game with one.

Menu “%1”: “%2” (F2 or Ctrl+N) makes a new maze; “%3” shows the correct path in red, and walking stops until you clear; “%4” wipes your trail to start again on the same maze; “%11” (Ctrl+P) prints the maze; “%26” makes worksheets for a class, with their solutions, saved as PDF or printed; “%7” (Ctrl+Q). “%17” plays on the game left unfinished when the window last closed; “%18” (Ctrl+H) hides the correct path again; “%19” chooses the size of new mazes; “%20” lists your records; “%21” and “%22” mark where you stand and the exit in the scene. “%23” (Ctrl+Z) brings back the game a new maze replaced; “%24” (F3) shows the next three steps for two seconds, and the walk no longer counts for the records; “%25” (P or Pause) stops the clock and covers the maze.
Menu “%8”: switch between “%9” and “%10”; each switch starts a new maze.
Menu “%12”: “%13” is the tilted scene every game starts in; “%14” stands you inside the maze: Up / W / keypad 8 steps forward, Down / S / keypad 2 steps back, Left / A / keypad 4 and Right / D / keypad 6 turn, and a click on the floor ahead walks along a straight open corridor; “%15” shows the flat plan; “%16” draws the cells you walked in a corner, in first person. “%27” (Ctrl+=), “%28” (Ctrl+-) and “%29” (Ctrl+0) zoom the scene and the plan in, out and back to the whole maze; zoomed in, the view follows you. Ctrl with the wheel, or a pinch, zooms too.
The scroll bar on the right tilts the view between 30 and 60 degrees. F10 opens the menu bar.</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>已暂停，按 P 键继续。</source>
        <translation>Paused: press P to go on.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>提示：%1</source>
        <translation>Hint: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>左</source>
        <translation>left</translation>
    </message>
    <message>
        <source>下</source>
        <translation>down</translation>
    </message>
    <message>
        <source>右</source>
        <translation>right</translation>
    </message>
    <message>
        <source>上</source>
        <translation>up</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>up-left</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>down-left</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>up-right</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>down-right</translation>
    </message>
    <message>
        <source>回到上一个迷宫</source>
        <translation>Back to the Last Maze</translation>
    </message>
    <message>
        <source>有帮助，不计记录</source>
        <translation>with help: not a record</translation>
    </message>
    <message>
        <source>这个迷宫无法在这种纸上打印：%1</source>
        <translation>This maze does not print on this paper: %1</translation>
    </message>
    <message>
        <source>练习册…</source>
        <translation>Worksheets…</translation>
    </message>
    <message>
        <source>练习册</source>
        <translation>Worksheets</translation>
    </message>
    <message>
        <source>样式：</source>
        <translation>Style:</translation>
    </message>
    <message>
        <source>难度：</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>第 %1 级</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>按格数</source>
        <translation>By cells</translation>
    </message>
    <message>
        <source>格数：</source>
        <translation>Cells:</translation>
    </message>
    <message>
        <source>迷宫数：</source>
        <translation>Mazes:</translation>
    </message>
    <message>
        <source>每页迷宫数：</source>
        <translation>Mazes a page:</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>标题：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>姓名和日期栏</source>
        <translation>Lines for name and date</translation>
    </message>
    <message>
        <source>答案：</source>
        <translation>Solutions:</translation>
    </message>
    <message>
        <source>附在最后</source>
        <translation>At the end</translation>
    </message>
    <message>
        <source>单独一个文件</source>
        <translation>In a file of their own</translation>
    </message>
    <message>
        <source>不要答案</source>
        <translation>None</translation>
    </message>
    <message>
        <source>页面语言：</source>
        <translation>Page language:</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>第一页</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>答案页</source>
        <translation>Solution page</translation>
    </message>
    <message>
        <source>存为 PDF…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>保存练习册</source>
        <translation>Save the worksheets</translation>
    </message>
    <message>
        <source>保存答案</source>
        <translation>Save the solutions</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>%1-答案.pdf</source>
        <translation>%1-solutions.pdf</translation>
    </message>
    <message>
        <source>正在挑选迷宫…</source>
        <translation>Choosing the mazes…</translation>
    </message>
    <message>
        <source>正在绘制迷宫…</source>
        <translation>Drawing the mazes…</translation>
    </message>
    <message>
        <source>正在写入答案…</source>
        <translation>Writing the solutions…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法制作练习册：%1</source>
        <translation>Cannot make the worksheets: %1</translation>
    </message>
    <message>
        <source>答案不能写进练习册本身的文件：请给答案另选一个文件名。</source>
        <translation>The solutions cannot go into the worksheets' own file: choose another name for them.</translation>
    </message>
    <message>
        <source>已写入 %1 页：%2</source>
        <translation>%1 pages written: %2</translation>
    </message>
    <message>
        <source>无法交给打印机（需要 lp 命令）。</source>
        <translation>Cannot hand the pages to the printer (the lp command is needed).</translation>
    </message>
    <message>
        <source>每个迷宫 %1 × %2 格</source>
        <translation>%1 × %2 cells a maze</translation>
    </message>
</context>
</TS>
