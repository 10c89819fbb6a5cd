// SPDX-License-Identifier: GPL-3.0-or-later
// A game that lasts: kept and resumed, the correct path peeked at, steps and time, records.
#include "app/frm_main.h"

namespace quivra {

std::optional<KeptGame> FrmMain::GameToKeep() const {
    return quivra::GameToKeep(state_, clock_.Seconds(host_.Uptime()));
}

void FrmMain::StartWithKeptGame(const KeptGame& kept) {
    state_.ResumeCode(kept.maze, kept.moves);
    state_.Tilt(kept.tilt);
    host_.SetVScroll1Value(90 - kept.tilt);
    resumedSeconds_ = kept.seconds;
    ShowStyle();
}

void FrmMain::ResumeGame(const KeptGame& kept) {
    StartWithKeptGame(kept);
    Form_Resize();
}

void FrmMain::HideCorrectPath() {
    if (!CanHideCorrectPath()) return;
    state_.HideSolution();
    state_.Redraw();
    host_.Refresh();
}

void FrmMain::FollowWalk() {
    const double now = host_.Uptime();
    if (state_.WalkNumber() != clockWalk_) {
        clockWalk_ = state_.WalkNumber();
        clock_.Reset(resumedSeconds_.value_or(0));
        resumedSeconds_.reset();
        win_.reset();
    }
    // Not while a walk waits to be drawn again either: a resize after walking out must not count.
    const bool walking = !state_.WalkMoves().empty() && !state_.walk().exitReached && !state_.WasMinimized() &&
                         state_.HasMaze() && !state_.HasWalkToReplay();
    if (walking) {
        clock_.Run(now);
    } else {
        clock_.Pause(now);
    }
}

void FrmMain::WalkedOut() {
    FollowWalk();
    const Game& g = state_;
    const int steps = static_cast<int>(g.WalkMoves().size());
    const int shortest = static_cast<int>(g.Path().directions.size());
    const double seconds = clock_.Seconds(host_.Uptime());
    // A code's maze counts by its cells, whatever size new games have.
    const std::string key = Records::Key(g.style(), g.maze().named ? SizeChoice::Fit() : g.Size(), g.maze().cellsX,
                                         g.maze().cellsY);
    win_ = WinReport{steps, shortest, seconds, steps == shortest, false, false};
    if (walkedOut) {
        if (auto report = walkedOut(key, steps, shortest, seconds)) win_ = report;
    }
}

std::optional<FrmMain::Counters> FrmMain::CurrentCounters() {
    FollowWalk();
    if (!clock_.Started() || !state_.HasMaze()) return std::nullopt;
    return Counters{static_cast<int>(state_.WalkMoves().size()), clock_.Seconds(host_.Uptime()), win_};
}

}  // namespace quivra
