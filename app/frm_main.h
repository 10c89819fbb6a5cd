// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's logic: every event handler and menu command of the game. The handlers call
// the game's verbs and drive its scene run, one step a timer tick; the menu ticks and the scroll
// bar show the game's style and tilt. It reaches the window only through FormHost, so it runs
// headless as well.
#include <string>

#include "app/form_design.h"
#include "app/form_host.h"
#include "app/game_state.h"
#include "maze/maze_shape.h"
#include "render/projection.h"

namespace quivra {

class FrmMain : private RunHost {
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
    // Beyond the written menus: the code of the maze on screen (empty without one), and a maze
    // played from its code: its style ticked, built to fit the window.
    std::string MazeCodeText() const { return state_.Code(); }
    void PlayMazeCode(const NamedMaze& maze);
    // Before the first showing: that maze is the first one built.
    void StartWithCode(const NamedMaze& maze);
    // A click or tap at a point of the drawing area, in logical pixels: the cell under it walked
    // to, as the game's rules for pointing say.
    void Form_PointerDown(double x, double y);

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    FormHost& Host() { return host_; }

    MazeStyle CheckedStyle() const { return state_.style(); }

private:
    // One timer step of the run: a stage drawn, then the window lets events run and re-arms the
    // timer, or finishes the scene.
    void BuildStep();
    // What the run asks of the window: the status line and scale mode around a new maze, clearing
    // for a new view, events, the timer, and the status line and menus of a finished scene.
    void StartingRun() override;
    Area NewMazeArea() override;
    double Clock() override { return host_.Timer(); }
    Pixels NewView() override;
    Canvas DrawingCanvas() override { return WindowCanvas(); }
    void DoEvents() override { host_.DoEvents(); }
    void ArmTimer() override { host_.SetTimer1Enabled(true); }
    void Finished(const std::string& status) override;
    // The tilt the scroll bar shows, and the scene drawn again for it.
    void TiltFromScrollBar();
    // The style menu's ticks show the game's style.
    void ShowStyle();
    // The window's device context, with the drawing area's height as it is now.
    Canvas WindowCanvas();

    // Ends any build chain for good and releases the grids (closing and Exit).
    void StopAndRelease();

    FormHost& host_;
    GameState state_;
};

}  // namespace quivra
