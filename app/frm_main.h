// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's logic: every event handler and menu command of the game, over the game
// state record. It reaches the window only through FormHost, so it runs headless as well.
#include <string>

#include "app/form_design.h"
#include "app/form_host.h"
#include "app/game_state.h"
#include "maze/maze_shape.h"
#include "render/projection.h"

namespace quivra {

class FrmMain {
public:
    explicit FrmMain(FormHost& host);

    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload(int& cancel);
    void VScroll1_Change();
    void VScroll1_Scroll();
    void Timer1_Timer();
    void Form_KeyDown(int& keyCode, int shift);
    void mnuActionItem_Click(int index);
    void mnuStyleItem_Click(int index);
    void mnuHelpItem_Click(int index);

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    FormHost& Host() { return host_; }

    bool HoneycombChecked() const { return host_.MenuChecked(Menu::Style, kHoneycomb); }
    MazeStyle CheckedStyle() const { return HoneycombChecked() ? MazeStyle::Honeycomb : MazeStyle::Square; }

private:
    // One timer step of the build: the builder draws a stage, then the window lets events run and
    // re-arms the timer, or finishes the scene.
    void BuildStep(MazeStyle style);
    // Stage 0: the status line and scale mode around the new maze, clearing for a new view.
    void StartBuild(MazeStyle style);
    // After the last stage: trail and correct path, the status line, the menu items.
    void FinishBuild(MazeStyle style);
    // The window's device context, with the drawing area's height as it is now.
    Canvas WindowCanvas();

    // Ends any build chain for good and releases the grids (closing and Exit).
    void StopAndRelease();

    FormHost& host_;
    GameState state_;
};

}  // namespace quivra
