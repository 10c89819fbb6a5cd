// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's logic: every event handler and menu command of the game. The handlers call
// the game's verbs and draw its scene; the menu ticks and the scroll bar show the game's style and
// tilt. It reaches the window only through FormHost, so it runs headless as well.
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

    MazeStyle CheckedStyle() const { return state_.style; }

private:
    // One timer step of the build: the builder draws a stage, then the window lets events run and
    // re-arms the timer, or finishes the scene.
    void BuildStep();
    // Stage 0: the status line and scale mode around the new maze, clearing for a new view.
    void StartBuild();
    // After the last stage: trail and correct path, the status line, the menu items.
    void FinishBuild();
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
