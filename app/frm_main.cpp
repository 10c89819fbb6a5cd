// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_main.h"

#include "app/about.h"
#include "render/scene.h"

namespace quivra {

FrmMain::FrmMain(FormHost& host) : host_(host) { host_.Attach(this); }

void FrmMain::Form_Load() {
    GameState& s = state_;
    s.palette.savedPalette = 0;
    s.build = BuildState{};   // no run, stage 0, not minimised
    s.HideSolution();
    ShowStyle();

    SetUpPalette(host_.hDC(), s.palette);
    ShowViewMenu();
}

void FrmMain::ShowStyle() {
    host_.SetMenuChecked(Menu::Style, kHoneycomb, state_.style() == MazeStyle::Honeycomb);
    host_.SetMenuChecked(Menu::Style, kSquare, state_.style() == MazeStyle::Square);
}

void FrmMain::Form_Resize() {
    GameState& s = state_;
    const bool newGameAsked = newGameAsked_;
    newGameAsked_ = false;
    if (host_.WindowState() == kWindowMinimized) {
        s.SetMinimized(true);
        host_.Cls();
        s.Stop();
        life_.SetMinimised(true);   // no time is played while minimised
        return;
    }
    // Compared in single precision, as the toolkit's sizes are; equality is not too small.
    if (static_cast<float>(host_.Text1Height() * 3) > static_cast<float>(host_.ScaleHeight())) {
        s.SetMinimized(false);
        host_.Cls();
        s.Stop();
        host_.SetText1Text(kTooSmall);
        // The message must be readable: the status line goes to the bottom of what is left.
        host_.SetText1Top(host_.ScaleHeight() - host_.Text1Height());
        host_.SetText1Width(host_.ScaleWidth());
        return;
    }
    host_.SetVScroll1Height(host_.ScaleHeight() - host_.Text1Height());
    host_.SetVScroll1Left(host_.ScaleWidth() - host_.VScroll1Width());
    host_.SetText1Top(host_.ScaleHeight() - host_.Text1Height());
    host_.SetText1Width(host_.ScaleWidth());
    s.Redraw();
    if (!s.WasMinimized()) {
        if (newGameAsked) {
            life_.NewGame(host_.Timer());
        } else {
            life_.WindowResized(host_.Timer());
        }
    }
    s.SetMinimized(false);
    life_.SetMinimised(false);
    host_.Refresh();
}

void FrmMain::Form_Paint() {
    GameState& s = state_;
    host_.SetMenuEnabled(Menu::Action, kShowSolution, false);
    host_.SetMenuEnabled(Menu::Action, kClear, false);
    s.Redraw();
    if (life_.Paused()) {
        // Paused: the maze stays covered, and is built once the game goes on.
        s.Stop();
        host_.Cls();
        return;
    }
    if (s.Begin()) host_.SetTimer1Enabled(true);
}

void FrmMain::Form_Unload(int& cancel) {
    cancel = 0;
    if (beforeClosing) beforeClosing();
    StopAndRelease();
}

void FrmMain::StopAndRelease() {
    state_.CloseRun();
    state_.Close();
    host_.SetTimer1Enabled(false);
}

void FrmMain::VScroll1_Change() {
    TiltFromScrollBar();
    if (!state_.Running()) Form_Paint();
}

void FrmMain::VScroll1_Scroll() {
    if (!state_.Running()) return;
    TiltFromScrollBar();
}

void FrmMain::TiltFromScrollBar() {
    state_.Tilt(90 - host_.VScroll1Value());
    state_.Redraw();
}

void FrmMain::Timer1_Timer() {
    host_.SetTimer1Enabled(false);
    BuildStep();
}

void FrmMain::BuildStep() {
    if (view_ == View::Overview) {
        state_.RunStep(state_, *this);
    } else {
        state_.RunViewStep(state_, *this);
    }
}

void FrmMain::StartingRun() {
    host_.SetText1Text("");
    host_.SetScaleMode(kScaleTwips);
}

RunHost::Area FrmMain::NewMazeArea() {
    const Area area{host_.ScaleWidth() - host_.VScroll1Width(), host_.ScaleHeight() - host_.Text1Height()};
    host_.SetScaleMode(kScalePixels);
    // The scroll bar may have moved without a change event.
    state_.Tilt(90 - host_.VScroll1Value());
    return area;
}

RunHost::Pixels FrmMain::NewView() {
    host_.SetScaleMode(kScalePixels);
    host_.Cls();
    return {DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_)};
}

void FrmMain::Finished(const std::string& status) {
    ZoomAfterRun();
    if (view_ != View::Overview) {
        motion_.reset();   // whatever was in motion belongs to the game before this run
        host_.SetFrameTimer(false);
        DrawView();
    }
    const std::string shown = notice_.empty() ? status : notice_;
    notice_.clear();
    const bool hint = view_ == View::FirstPerson && shown == state_.Rules().walkingHint;
    host_.SetText1Text(hint ? kFirstPersonHint : shown);
    life_.Follow();
    if (life_.TakeResumeStood() && resumedGameStands) resumedGameStands();
    host_.SetMenuEnabled(Menu::Action, kShowSolution, true);
    host_.SetMenuEnabled(Menu::Action, kClear, true);
    TakeHeldInput();
}

Canvas FrmMain::WindowCanvas() { return MakeCanvas(host_.hDC(), DrawAreaHeightPixels(host_), state_); }

}  // namespace quivra
