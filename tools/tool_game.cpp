// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tool_game.h"

#include <cmath>

#include "game/texts.h"
#include "game/window_design.h"
#include "render/first_person.h"
#include "render/scene.h"

namespace quivra::tool {

namespace {

void PrintGrid(const char* name, const ByteGrid& grid, std::string& out) {
    out += name;
    out += '\n';
    for (int y = 0; y <= grid.MaxY(); ++y) {
        for (int x = 0; x <= grid.MaxX(); ++x) out += static_cast<char>('0' + grid(y, x));
        out += '\n';
    }
}

}  // namespace

ToolGame::ToolGame(const RenderSetup& setup, bool record, int progressFd)
    : scene_(!setup.plan && !setup.firstPerson),
      firstPerson_(setup.firstPerson),
      image_(scene_ || firstPerson_ ? QImage(setup.width, setup.height, QImage::Format_RGB32) : QImage()),
      dc_(&image_, setup.palette ? ScreenCaps{1, 8, 20} : ScreenCaps{1, 32, -1}),
      layout_(WindowLayout::Of(setup.width, setup.height)) {
    image_.fill(Qt::white);
    if (record && (scene_ || firstPerson_)) recorder_.emplace(dc_);
    game.Tilt(setup.tilt);
    game.SetStyle(setup.style);
    if (setup.named) game.PlayCode(*setup.named);
    SetUpPalette(dc_, run_.palette);
    clock_.Set(setup.time, ScriptedClock::StepForTrials(setup.trials));

    if (layout_.tooSmall) {
        status_ = kTooSmall;
    } else {
        // The clock is read once for the seed text and once before the first candidate.
        progress_.emplace(progressFd, setup.named ? 0 : setup.trials, 0.0, 2);
        game.NewGame(ReadClock());
        seed_ = game.maze().seedText;
        stages_ = Build();
        progress_.reset();
    }

    for (int key : setup.keys) {
        const KeyResult k = firstPerson_ ? life_.PressFirstPersonKey(key) : life_.PressKey(key);
        if (!k.consumed) continue;
        if (k.beep) {
            ++beeps_;
            continue;
        }
        if (scene_) {
            Canvas canvas = MakeWindowCanvas();
            DrawStep(k.step, run_, canvas);
        }
        if (k.step.outcome == StepOutcome::Exited) status_ = kCongratulation;
    }
    if (setup.clear && finished_) Clear();
    DrawFirstPersonView();
}

void ToolGame::DrawFirstPersonView() {
    if (!firstPerson_ || !finished_) return;
    // As the window draws it: the drawing area, the rest of the client area left white.
    image_.fill(Qt::white);
    if (recorder_) recorder_->Clear();
    Canvas canvas = MakeWindowCanvas();
    const HPALETTE previous = SelectGamePalette(dc_, run_.palette);
    DrawFirstPerson(canvas, game, {layout_.drawWidth, layout_.drawHeight, true, std::nullopt});
    RestorePalette(dc_, run_.palette, previous);
}

double ToolGame::ReadClock() {
    if (progress_) progress_->Reading();
    return clock_.Read();
}

void ToolGame::MakeNewMaze(const Area& area) {
    life_.MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return ReadClock(); }, kGenerationBudget);
}

Canvas ToolGame::MakeWindowCanvas() { return MakeCanvas(dc_, layout_.drawHeight, run_); }

RunHost::Pixels ToolGame::NewView() {
    image_.fill(Qt::white);
    if (recorder_) recorder_->Clear();
    return {layout_.drawWidth, layout_.drawHeight};
}

int ToolGame::Build() {
    finished_ = false;
    status_.clear();
    int steps = 0;
    if (scene_) {
        run_.Redraw();
        steps = run_.RunToEnd(game, *this);
    } else {
        if (game.NeedsNewMaze()) MakeNewMaze(NewMazeArea());
        status_ = game.FinishedStatus();
    }
    finished_ = true;
    return steps;
}

void ToolGame::Clear() {
    game.Clear();
    Build();
}

void ToolGame::ShowSolution() {
    if (!finished_) return;
    game.ShowSolution();
    status_.clear();
    DrawFirstPersonView();
    if (!scene_) return;
    Canvas canvas = MakeWindowCanvas();
    DrawSolution(game, run_, canvas);
}

std::string ToolGame::Report(const RenderSetup& setup) const {
    const Game& g = game;
    std::string out;
    out += "seed \"" + seed_ + "\"\n";
    out += "cells " + std::to_string(g.maze().cellsX) + " " + std::to_string(g.maze().cellsY) + "\n";
    out += "stages " + std::to_string(stages_) + "\n";
    out += "player " + std::to_string(g.walk().playerX) + " " + std::to_string(g.walk().playerY) + "\n";
    out += "exitReached " + std::string(g.walk().exitReached ? "1" : "0") + "\n";
    out += "beeps " + std::to_string(beeps_) + "\n";
    // The view from inside walks by its own keys, whatever the style.
    const bool hint = setup.firstPerson && status_ == g.Rules().walkingHint;
    out += "status " + (hint ? kFirstPersonHint : status_) + "\n";
    if (setup.firstPerson) out += "heading " + std::to_string(g.Heading()) + "\n";
    if (setup.dump && g.maze().mazeGrid.Exists()) {
        PrintGrid("mazeGrid", g.maze().mazeGrid, out);
        PrintGrid("walkGrid", g.walk().walkGrid, out);
    }
    const std::string code = g.Code();
    if (!code.empty()) out += "code " + code + "\n";
    return out;
}

}  // namespace quivra::tool
