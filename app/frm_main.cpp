// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frm_main.h"

#include <cmath>

#include "app/about.h"
#include "render/scene.h"

namespace quivra {

namespace {

const std::string& StatusText(StatusLine line, MazeStyle style) {
    static const std::string empty;
    switch (line) {
        case StatusLine::Congratulation: return kCongratulation;
        case StatusLine::WalkingHint: return style == MazeStyle::Honeycomb ? kHexHint : kSquareHint;
        case StatusLine::Empty: break;
    }
    return empty;
}

}  // namespace

FrmMain::FrmMain(FormHost& host) : host_(host) { host_.Attach(this); }

void FrmMain::Form_Load() {
    GameState& s = state_;
    s.palette.savedPalette = 0;
    s.build.drawInProgress = false;
    s.walk.showingSolution = false;
    s.walk.exitReached = false;
    s.build.wasMinimized = false;
    s.build.buildStage = kStageStart;

    host_.SetMenuChecked(Menu::Style, kHoneycomb, false);
    host_.SetMenuChecked(Menu::Style, kSquare, true);

    FillMixTables(s.tables.mixTableB, s.tables.mixTableA);

    // A palette display needs the game's own logical palette to show 16 exact colours.
    DeviceContext& dc = host_.hDC();
    const int bits = dc.GetDeviceCaps(PLANES) * dc.GetDeviceCaps(BITSPIXEL);
    if (bits >= 31) {
        s.palette.usePalette = false;
    } else {
        int64_t colours = 1;
        for (int i = 0; i < bits; ++i) colours *= 2;
        s.palette.usePalette = colours - dc.GetDeviceCaps(NUMCOLORS) >= 16;
    }

    std::vector<PALETTEENTRY> entries(16);
    for (int i = 0; i < 16; ++i) {
        int r, g, b;
        if (i <= 12) {
            r = g = b = (i * 256) / 13;
        } else if (i == 13) {
            r = 255, g = 255, b = 0;
        } else if (i == 14) {
            r = 0, g = 255, b = 0;
        } else {
            r = 255, g = 0, b = 0;
        }
        entries[i] = {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), PC_NOCOLLAPSE};
        s.palette.paletteColors[i] = RGB(r, g, b);
    }
    s.palette.paletteColors[16] = 0;
    s.palette.gamePalette = s.palette.usePalette ? dc.CreatePalette(entries) : 0;

    FillHexStepTables(s.tables.hexStepX, s.tables.hexStepY);
    FillSquareStepTables(s.tables.stepX, s.tables.stepY);
    s.tables.sqrtThree = std::sqrt(3.0);
}

void FrmMain::Form_Resize() {
    GameState& s = state_;
    if (host_.WindowState() == kWindowMinimized) {
        s.build.wasMinimized = true;
        host_.Cls();
        s.build.buildStage = kStageFinished;
        s.build.drawInProgress = false;
        return;
    }
    // Compared in single precision, as the toolkit's sizes are; equality is not too small.
    if (static_cast<float>(host_.Text1Height() * 3) > static_cast<float>(host_.ScaleHeight())) {
        s.build.wasMinimized = false;
        host_.Cls();
        s.build.buildStage = kStageFinished;
        s.build.drawInProgress = false;
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
    s.build.needViewSetup = true;
    s.build.buildStage = kStageStart;
    if (!s.build.wasMinimized) {
        s.build.needNewMaze = true;
        s.walk.exitReached = false;
        s.walk.showingSolution = false;
        s.maze.seedText = SeedTextFromSeconds(host_.Timer());
    }
    s.build.wasMinimized = false;
    host_.Refresh();
}

void FrmMain::Form_Paint() {
    GameState& s = state_;
    host_.SetMenuEnabled(Menu::Action, kShowSolution, false);
    host_.SetMenuEnabled(Menu::Action, kClear, false);
    s.build.needViewSetup = true;
    s.build.buildStage = kStageStart;
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
    GameState& s = state_;
    s.build.buildStage = kStageClosing;
    host_.SetTimer1Enabled(false);
    s.maze.pathSteps.clear();
    s.maze.pathSteps.shrink_to_fit();
    s.walk.walkGrid.Erase();
    s.maze.mazeGrid.Erase();
}

void FrmMain::VScroll1_Change() {
    GameState& s = state_;
    s.view.viewAngle = 90 - host_.VScroll1Value();
    s.build.needViewSetup = true;
    s.build.buildStage = kStageStart;
    if (!s.build.drawInProgress) Form_Paint();
}

void FrmMain::VScroll1_Scroll() {
    GameState& s = state_;
    if (!s.build.drawInProgress) return;
    s.view.viewAngle = 90 - host_.VScroll1Value();
    s.build.needViewSetup = true;
    s.build.buildStage = kStageStart;
}

void FrmMain::Timer1_Timer() {
    host_.SetTimer1Enabled(false);
    BuildStep(CheckedStyle());
}

void FrmMain::BuildStep(MazeStyle style) {
    GameState& s = state_;
    const uint8_t stage = s.build.buildStage;
    bool reachedEnd = false;
    if (stage == kStageStart) {
        StartBuild(style);
    } else if (IsDrawingStage(style, stage)) {
        Canvas canvas = WindowCanvas();
        reachedEnd = DrawStage(style, s, canvas).reachedEnd;
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
        FinishBuild(style);
    }
}

void FrmMain::StartBuild(MazeStyle style) {
    GameState& s = state_;
    host_.SetText1Text("");
    host_.SetScaleMode(kScaleTwips);
    if (NeedsNewMaze(style, s)) {
        const DrawAreaTwips area{host_.ScaleWidth() - host_.VScroll1Width(),
                                 host_.ScaleHeight() - host_.Text1Height()};
        host_.SetScaleMode(kScalePixels);
        s.view.viewAngle = 90 - host_.VScroll1Value();
        MakeNewMaze(style, s, area, [this] { return host_.Timer(); }, kGenerationBudget);
    }
    if (s.build.needViewSetup) {
        host_.SetScaleMode(kScalePixels);
        host_.Cls();
        SetUpSceneView(style, s, DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_));
    }
    s.build.buildStage = kStageFirstDrawing;
}

void FrmMain::FinishBuild(MazeStyle style) {
    GameState& s = state_;
    s.build.drawInProgress = false;
    Canvas canvas = WindowCanvas();
    host_.SetText1Text(StatusText(FinishScene(style, s, canvas), style));
    host_.SetMenuEnabled(Menu::Action, kShowSolution, true);
    host_.SetMenuEnabled(Menu::Action, kClear, true);
}

Canvas FrmMain::WindowCanvas() { return MakeCanvas(host_.hDC(), DrawAreaHeightPixels(host_), state_); }

}  // namespace quivra
