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
            s.walk.showingSolution = false;
            Form_Resize();
            break;
        case kShowSolution: {
            s.walk.showingSolution = true;
            host_.SetText1Text("");
            if (!s.maze.mazeGrid.Exists()) break;
            Canvas canvas = WindowCanvas();
            DrawSolution(CheckedStyle(), canvas, s);
            break;
        }
        case kClear: {
            s.walk.exitReached = false;
            s.walk.showingSolution = false;
            s.build.needViewSetup = true;
            s.build.buildStage = kStageStart;
            // A grid still waiting for its new maze (a style change that built nothing) holds the
            // other style's maze: the new maze puts the player on its own start.
            if (s.maze.mazeGrid.Exists() && !s.build.needNewMaze) ResetWalk(CheckedStyle(), s);
            host_.Refresh();
            break;
        }
        case kExit:
            StopAndRelease();
            host_.EndProgram();
            break;
        default:   // the separator
            break;
    }
}

void FrmMain::mnuStyleItem_Click(int index) {
    GameState& s = state_;
    if (index == kHoneycomb && host_.MenuChecked(Menu::Style, kSquare)) {
        host_.SetMenuChecked(Menu::Style, kHoneycomb, true);
        host_.SetMenuChecked(Menu::Style, kSquare, false);
    } else if (index == kSquare && host_.MenuChecked(Menu::Style, kHoneycomb)) {
        host_.SetMenuChecked(Menu::Style, kHoneycomb, false);
        host_.SetMenuChecked(Menu::Style, kSquare, true);
    } else {
        return;
    }
    s.walk.showingSolution = false;
    // The grids still hold the other style's maze: even a resize that builds nothing (a too
    // small window) must leave a request for a new one behind. The new maze has not been walked
    // out of, even when the restore of a minimised window is what builds it.
    s.build.needNewMaze = true;
    s.walk.exitReached = false;
    Form_Resize();
}

void FrmMain::mnuHelpItem_Click(int /*index*/) {
    host_.MsgBox(AboutText(), kAboutTitle);
    host_.OpenUrl(kHomePage);
}

}  // namespace quivra
