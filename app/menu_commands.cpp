// SPDX-License-Identifier: GPL-3.0-or-later
// The game, style and help menus.
#include "app/about.h"
#include "app/frm_main.h"
#include "render/scene.h"

namespace quivra {

void FrmMain::mnuActionItem_Click(int index) {
    GameState& s = state_;
    switch (index) {
        case kNewGame:
            s.HideSolution();
            s.ForgetCode();
            newGameAsked_ = true;
            Form_Resize();
            break;
        case kShowSolution: {
            if (life_.Paused()) break;   // the maze stays covered
            life_.ShowSolution();
            host_.SetText1Text("");
            if (!s.maze().mazeGrid.Exists()) break;
            if (view_ != View::Overview) {
                DrawView();
                break;
            }
            Canvas canvas = WindowCanvas();
            DrawSolution(s, s, canvas);
            break;
        }
        case kClear:
            s.Clear();
            s.Redraw();
            host_.Refresh();
            break;
        case kExit:
            if (beforeClosing) beforeClosing();
            StopAndRelease();
            host_.EndProgram();
            break;
        default:   // the separator
            break;
    }
}

void FrmMain::mnuStyleItem_Click(int index) {
    if (index != kHoneycomb && index != kSquare) return;
    if (!state_.SetStyle(index == kHoneycomb ? MazeStyle::Honeycomb : MazeStyle::Square)) {
        ShowStyle();   // a click on the ticked item changes nothing
        return;
    }
    ShowStyle();
    Form_Resize();
}

void FrmMain::PlayMazeCode(const NamedMaze& maze) {
    state_.PlayCode(maze);
    ShowStyle();
    Form_Resize();
}

void FrmMain::StartWithCode(const NamedMaze& maze) {
    state_.PlayCode(maze);
    ShowStyle();
}

void FrmMain::ChooseSize(const SizeChoice& choice) {
    state_.ChooseSize(choice);
    mnuActionItem_Click(kNewGame);
}

void FrmMain::mnuHelpItem_Click(int /*index*/) {
    host_.MsgBox(AboutText(), kAboutTitle);
    host_.OpenUrl(kHomePage);
}

}  // namespace quivra
