// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_life.h"

#include <cmath>
#include <deque>

namespace quivra {

KeyResult GameLife::PressKey(int keyCode) {
    if (paused_) return {};
    const KeyResult key = game_.PressKey(keyCode);
    AfterSteps();
    return key;
}

KeyResult GameLife::PressFirstPersonKey(int keyCode) {
    if (paused_) return {};
    const KeyResult key = game_.PressFirstPersonKey(keyCode);
    AfterSteps();
    return key;
}

Game::WalkResult GameLife::WalkTo(int cellX, int cellY) {
    if (paused_) return {};
    Game::WalkResult walk = game_.WalkTo(cellX, cellY);
    AfterSteps();
    return walk;
}

void GameLife::MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget) {
    game_.MakeNewMaze(widthTwips, heightTwips, clock, budget);
    Follow();
}

void GameLife::NewGame(double secondsSinceMidnight) {
    Follow();
    game_.NewGame(secondsSinceMidnight);
    Follow();
}

void GameLife::WindowResized(double secondsSinceMidnight) {
    Follow();
    game_.WindowResized(secondsSinceMidnight);
    Follow();
}

void GameLife::SetMinimised(bool minimised) {
    minimised_ = minimised;
    Follow();
}

void GameLife::SetPaused(bool paused) {
    paused_ = paused;
    Follow();
}

void GameLife::ShowSolution() {
    game_.ShowSolution();
    helped_ = true;
    Follow();
}

void GameLife::HideSolution() {
    game_.HideSolution();
    Follow();
}

GameLife::HintPath GameLife::TakeHint() {
    HintPath hint;
    if (paused_ || !game_.CanWalk() || game_.HasWalkToReplay()) return hint;
    const MazeState& m = game_.maze();
    const StyleRules& rules = game_.Rules();
    const int width = m.gridMaxX + 1;
    // A perfect maze: the way out from any cell is the one path a search from it finds.
    std::vector<int> from(static_cast<size_t>(width) * (m.gridMaxY + 1), -1);
    std::vector<int> how(from.size(), -1);
    const int start = game_.walk().playerY * width + game_.walk().playerX;
    from[start] = start;
    std::deque<int> queue{start};
    int last = -1, out = -1;
    while (!queue.empty() && out < 0) {
        const int at = queue.front();
        queue.pop_front();
        const int x = at % width, y = at / width;
        for (int d = 0; d < rules.directions; ++d) {
            const int sx = rules.stepX(game_.tables(), d), sy = rules.stepY(game_.tables(), d);
            const int wx = x + sx, wy = y + sy;
            if (wx <= 0 || wx >= m.gridMaxX || wy <= 0 || wy > m.gridMaxY || m.mazeGrid(wy, wx) == 0) continue;
            const int tx = wx + sx, ty = wy + sy;
            if (ty >= m.gridMaxY) {
                last = at;
                out = d;
                break;
            }
            if (tx < 0 || tx > m.gridMaxX || ty < 0 || m.mazeGrid(ty, tx) == 0) continue;
            const int next = ty * width + tx;
            if (from[next] >= 0) continue;
            from[next] = at;
            how[next] = d;
            queue.push_back(next);
        }
    }
    if (out < 0) return hint;
    std::vector<Cell> cells;
    std::vector<int> directions{out};
    const int sx = rules.stepX(game_.tables(), out), sy = rules.stepY(game_.tables(), out);
    cells.push_back({last % width + 2 * sx, last / width + 2 * sy});
    for (int at = last; at != start; at = from[at]) {
        cells.push_back({at % width, at / width});
        directions.push_back(how[at]);
    }
    for (size_t i = cells.size(); i-- > 0 && hint.cells.size() < 3;) {
        hint.cells.push_back(cells[i]);
        hint.directions.push_back(directions[i]);
    }
    helped_ = true;
    return hint;
}

std::vector<StepResult> GameLife::ViewReady() {
    Follow();
    std::vector<StepResult> steps;
    if (game_.HasWalkToReplay() && game_.HasMaze() && !game_.maze().needNewMaze) {
        const bool whole = game_.ReplayWalk([&](const StepResult& step) { steps.push_back(step); });
        if (resuming_) {
            resumeStood_ = whole && fromFile_;
            resuming_.reset();
        }
    } else if (resuming_ && game_.HasMaze() && !game_.maze().needNewMaze) {
        resuming_.reset();
    }
    Follow();
    return steps;
}

bool GameLife::Walking() const {
    return !game_.WalkMoves().empty() && !game_.walk().exitReached && !game_.walk().showingSolution && !minimised_ &&
           !paused_ && game_.HasMaze() && !game_.maze().needNewMaze && !game_.HasWalkToReplay();
}

void GameLife::Follow() {
    const double now = clock_();
    if (game_.WalkNumber() != walk_) {
        // A walk in progress on another maze than the one now made is thrown away: kept to go back to.
        if (current_ && currentWalk_ == walk_ && (!game_.HasMaze() || game_.Code() != MazeCode(current_->maze))) {
            current_->seconds = Seconds(now);
            lastMaze_ = current_;
        }
        current_.reset();
        walk_ = game_.WalkNumber();
        played_.Reset(resuming_ ? resuming_->seconds : 0);
        helped_ = resuming_ && resuming_->helped;
        win_.reset();
    }
    if (Walking()) {
        played_.Run(now);
    } else {
        played_.Pause(now);
    }
    if (resuming_ || !game_.HasMaze() || game_.maze().needNewMaze || game_.HasWalkToReplay()) {
        if (current_ && currentWalk_ == walk_) current_->seconds = Seconds(now);
        return;
    }
    const auto kept = GameToKeep(game_, Seconds(now));
    if (!kept) {
        current_.reset();
        return;
    }
    current_ = kept;
    current_->heading = game_.Heading();
    current_->helped = helped_;
    currentWalk_ = walk_;
}

void GameLife::AfterSteps() {
    Follow();
    if (!game_.walk().exitReached || win_ || !game_.HasMaze()) return;
    const int steps = static_cast<int>(game_.WalkMoves().size());
    const int shortest = static_cast<int>(game_.Path().directions.size());
    const double seconds = Seconds(clock_());
    win_ = WinReport{steps, shortest, seconds, steps == shortest, false, false, helped_};
    // A walk with help is no record; the summary says how it went.
    if (helped_ || records_ == nullptr) return;
    // A code's maze counts by its cells, whatever size new games have.
    const MazeState& m = game_.maze();
    const std::string key = Records::Key(game_.style(), m.named ? SizeChoice::Fit() : game_.Size(), m.cellsX, m.cellsY);
    if (auto report = records_->RecordWin(key, steps, shortest, seconds)) win_ = report;
}

std::optional<GameLife::Counters> GameLife::CurrentCounters() {
    Follow();
    if (!played_.Started() || !game_.HasMaze()) return std::nullopt;
    return Counters{static_cast<int>(game_.WalkMoves().size()), Seconds(clock_()), win_};
}

std::optional<KeptGame> GameLife::ToKeep() {
    if (resuming_) {
        KeptGame kept = *resuming_;
        kept.tilt = static_cast<int>(std::lround(game_.viewAngle()));
        return kept;
    }
    Follow();
    auto kept = GameToKeep(game_, Seconds(clock_()));
    if (!kept) return std::nullopt;
    kept->heading = game_.Heading();
    kept->helped = helped_;
    return kept;
}

void GameLife::ResumeWith(const KeptGame& kept, bool fromFile) {
    Follow();   // the walk on screen, as it stands now, is the one a resumed game throws away
    resuming_ = kept;
    fromFile_ = fromFile;
    resumeStood_ = false;
    game_.ResumeCode(kept.maze, kept.moves, kept.heading);
    game_.Tilt(kept.tilt);
}

bool GameLife::TakeResumeStood() {
    const bool stood = resumeStood_;
    resumeStood_ = false;
    return stood;
}

bool GameLife::BackToLastMaze() {
    if (!lastMaze_) return false;
    const KeptGame last = *lastMaze_;
    lastMaze_.reset();
    ResumeWith(last, false);
    return true;
}

}  // namespace quivra
