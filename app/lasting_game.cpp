// SPDX-License-Identifier: GPL-3.0-or-later
// A game that lasts: kept and resumed, the correct path peeked at, paused, hinted at, and the last
// maze brought back. What each means to the game is the game's life's; here only the window follows.
#include "app/frm_main.h"

namespace quivra {

void FrmMain::StartWithKeptGame(const KeptGame& kept) {
    life_.Resume(kept);
    host_.SetVScroll1Value(90 - kept.tilt);
    ShowStyle();
}

void FrmMain::ResumeGame(const KeptGame& kept) {
    StartWithKeptGame(kept);
    Form_Resize();
}

void FrmMain::BackToLastMaze() {
    if (!life_.BackToLastMaze()) return;
    host_.SetVScroll1Value(90 - static_cast<int>(state_.viewAngle()));
    ShowStyle();
    Form_Resize();
}

void FrmMain::HideCorrectPath() {
    if (!CanHideCorrectPath()) return;
    life_.HideSolution();
    state_.Redraw();
    host_.Refresh();
}

void FrmMain::SetPaused(bool paused) {
    if (paused == life_.Paused()) return;
    life_.SetPaused(paused);
    motion_.reset();
    host_.SetFrameTimer(false);
    if (paused) {
        // The maze is covered: nothing of it is seen until the game goes on.
        state_.Stop();
        host_.Cls();
        host_.SetText1Text(kPausedText);
        return;
    }
    if (host_.WindowState() == kWindowMinimized || TooSmall()) return;
    state_.Redraw();
    host_.Refresh();
}

GameLife::HintPath FrmMain::TakeHint() {
    if (!state_.SceneFinished()) return {};
    return life_.TakeHint();
}

void FrmMain::AfterMove(const StepResult& last) {
    if (last.outcome == StepOutcome::Exited) host_.SetText1Text(kCongratulation);
}

}  // namespace quivra
