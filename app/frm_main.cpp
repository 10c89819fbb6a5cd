// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_main.h"

#include "app/about.h"
#include "render/scene.h"

namespace quivra {

FrmMain::FrmMain(FormHost& host) : host_(host) { host_.Attach(this); }

void FrmMain::Form_Load() {
    GameState& s = state_;
    s.palette.savedPalette = 0;
    s.build.drawInProgress = false;
    s.walk.showingSolution = false;
    s.walk.exitReached = false;
    s.build.wasMinimized = false;
    s.build.buildStage = kStageStart;
    ShowStyle();

    SetUpPalette(host_.hDC(), s.palette);
}

void FrmMain::ShowStyle() {
    host_.SetMenuChecked(Menu::Style, kHoneycomb, state_.style == MazeStyle::Honeycomb);
    host_.SetMenuChecked(Menu::Style, kSquare, state_.style == MazeStyle::Square);
}

void FrmMain::Form_Resize() {
    GameState& s = state_;
    if (host_.WindowState() == kWindowMinimized) {
        s.build.wasMinimized = true;
        host_.Cls();
        s.StopBuild();
        return;
    }
    // Compared in single precision, as the toolkit's sizes are; equality is not too small.
    if (static_cast<float>(host_.Text1Height() * 3) > static_cast<float>(host_.ScaleHeight())) {
        s.build.wasMinimized = false;
        host_.Cls();
        s.StopBuild();
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
    if (!s.build.wasMinimized) s.NewGame(host_.Timer());
    s.build.wasMinimized = false;
    host_.Refresh();
}

void FrmMain::Form_Paint() {
    GameState& s = state_;
    host_.SetMenuEnabled(Menu::Action, kShowSolution, false);
    host_.SetMenuEnabled(Menu::Action, kClear, false);
    s.Redraw();
    if (!s.build.drawInProgress) {
        s.build.drawInProgress = true;
        host_.SetTimer1Enabled(true);
    }
}

void FrmMain::Form_Unload(int& cancel) {
    cancel = 0;
    StopAndRelease();
}

void FrmMain::StopAndRelease() {
    state_.Close();
    host_.SetTimer1Enabled(false);
}

void FrmMain::VScroll1_Change() {
    state_.Tilt(90 - host_.VScroll1Value());
    if (!state_.build.drawInProgress) Form_Paint();
}

void FrmMain::VScroll1_Scroll() {
    if (!state_.build.drawInProgress) return;
    state_.Tilt(90 - host_.VScroll1Value());
}

void FrmMain::Timer1_Timer() {
    host_.SetTimer1Enabled(false);
    BuildStep();
}

void FrmMain::BuildStep() {
    GameState& s = state_;
    const uint8_t stage = s.build.buildStage;
    bool reachedEnd = false;
    if (stage == kStageStart) {
        StartBuild();
    } else if (IsDrawingStage(s.style, stage)) {
        Canvas canvas = WindowCanvas();
        const StageReport report = DrawStage(s, s, canvas);
        s.SetStage(report.nextStage);
        reachedEnd = report.reachedEnd;
    } else {
        host_.DoEvents();
        return;
    }
    host_.DoEvents();
    if (s.build.buildStage < kStageFinished) {
        host_.SetTimer1Enabled(true);
    } else if (reachedEnd && s.build.buildStage == kStageFinished && s.build.drawInProgress) {
        // Only when no handler stopped or restarted the run meanwhile (closing leaves no grids;
        // minimising or a too-small window stops the run and leaves 5 behind as well).
        FinishBuild();
    }
}

void FrmMain::StartBuild() {
    GameState& s = state_;
    host_.SetText1Text("");
    host_.SetScaleMode(kScaleTwips);
    if (s.NeedsNewMaze()) {
        const double width = host_.ScaleWidth() - host_.VScroll1Width();
        const double height = host_.ScaleHeight() - host_.Text1Height();
        host_.SetScaleMode(kScalePixels);
        s.viewAngle = 90 - host_.VScroll1Value();
        s.MakeNewMaze(width, height, [this] { return host_.Timer(); }, kGenerationBudget);
    }
    if (s.build.needViewSetup) {
        host_.SetScaleMode(kScalePixels);
        host_.Cls();
        SetUpSceneView(s, s, DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_));
        s.build.needViewSetup = false;
    }
    s.SetStage(kStageFirstDrawing);
}

void FrmMain::FinishBuild() {
    GameState& s = state_;
    s.build.drawInProgress = false;
    Canvas canvas = WindowCanvas();
    FinishScene(s, s, canvas);
    host_.SetText1Text(s.FinishedStatus());
    host_.SetMenuEnabled(Menu::Action, kShowSolution, true);
    host_.SetMenuEnabled(Menu::Action, kClear, true);
}

Canvas FrmMain::WindowCanvas() { return MakeCanvas(host_.hDC(), DrawAreaHeightPixels(host_), state_); }

}  // namespace quivra
