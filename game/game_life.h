// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game's life, whatever view shows it and whatever drives it (the window, the tool, the tests):
// every move goes through here, so the time played, the steps, the help taken, the outcome of
// walking out and the records' update are worked out once. The time comes from an injected clock
// (seconds, never going back); the records go to a store. A walk waiting to be taken again after a
// rebuild is taken when the view in use is ready, and the steps come back for drawing. No Qt.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/lasting.h"

namespace quivra {

// Where wins are recorded: nothing comes back when the records could not be kept.
class RecordsStore {
public:
    virtual ~RecordsStore() = default;
    virtual std::optional<WinReport> RecordWin(const std::string& key, int steps, int shortest, double seconds) = 0;
};

class GameLife {
public:
    using Clock = std::function<double()>;
    GameLife(Game& game, Clock clock) : game_(game), clock_(std::move(clock)) {}
    GameLife(const GameLife&) = delete;
    GameLife& operator=(const GameLife&) = delete;

    void UseRecords(RecordsStore* records) { records_ = records; }
    const Game& game() const { return game_; }

    // ---- moves: refused while paused ----
    KeyResult PressKey(int keyCode);
    KeyResult PressFirstPersonKey(int keyCode);
    Game::WalkResult WalkTo(int cellX, int cellY);

    // ---- what the window goes through ----
    // The maze a build makes (the named one, or the best a search finds within budget seconds).
    void MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget);
    // A new game asked for, and the window at another size (the game's rules say which keeps the maze).
    void NewGame(double secondsSinceMidnight);
    void WindowResized(double secondsSinceMidnight);
    // Minimised (or shown again): no time is played meanwhile.
    void SetMinimised(bool minimised);
    // Paused by the player: no time, no moves, the maze covered until resumed.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // The correct path shown (the walk counts as helped; no time is played while it shows) and hidden.
    void ShowSolution();
    void HideSolution();
    // The next steps of the correct path from the player's cell (up to three, the last one maybe
    // out through the exit, below the grid): their cells and base directions. The walk counts as
    // helped. Nothing when walking is not possible.
    struct HintPath {
        std::vector<Cell> cells;
        std::vector<int> directions;
    };
    HintPath TakeHint();
    // The view in use is ready over a rebuilt maze: a walk waiting to be taken again is taken
    // (with the way the player faced); its steps, for a view that draws them one by one.
    std::vector<StepResult> ViewReady();
    // The game changed under the life (a new maze, Clear, a resize): the clock and the outcome follow.
    void Follow();

    // ---- what the player sees ----
    struct Counters {
        int steps = 0;
        double seconds = 0;
        std::optional<WinReport> win;   // once walked out
    };
    // Nothing before the first step of a walk.
    std::optional<Counters> CurrentCounters();
    bool Helped() const { return helped_; }

    // ---- games that last ----
    // The game worth keeping (a walk begun and not walked out), as it is or, while a resumed game
    // has not been built yet, as it was read.
    std::optional<KeptGame> ToKeep();
    // A kept game played again: its maze (at the next build), its walk and heading taken again
    // when the view is ready, its time and help carried on.
    void Resume(const KeptGame& kept) { ResumeWith(kept, true); }
    // Once after a game resumed from its file stands (its maze built, its walk taken): the file can go.
    bool TakeResumeStood();
    // The last walk thrown away by a new maze (a new game, a style or size change, a resize that
    // makes a new maze), kept in memory to go back to.
    bool HasLastMaze() const { return lastMaze_.has_value(); }
    const std::optional<KeptGame>& LastMaze() const { return lastMaze_; }
    // Back to it: resumed as a kept game would be (the walk thrown away now becomes the last one).
    bool BackToLastMaze();

private:
    void ResumeWith(const KeptGame& kept, bool fromFile);
    double Seconds(double now) const { return played_.Seconds(now); }
    void AfterSteps();
    bool Walking() const;
    std::optional<KeptGame> Snapshot();

    Game& game_;
    Clock clock_;
    RecordsStore* records_ = nullptr;
    bool minimised_ = false, paused_ = false, helped_ = false;
    PlayClock played_;                   // the time played in this walk
    uint32_t walk_ = 0;                  // the walk the clock times
    std::optional<WinReport> win_;
    std::optional<KeptGame> resuming_;   // a resumed game not built yet: what it carries on
    bool resumeStood_ = false;
    bool fromFile_ = false;
    // The walk in progress as it stood last (for going back to it), and the one thrown away.
    std::optional<KeptGame> current_;
    uint32_t currentWalk_ = 0;
    std::optional<KeptGame> lastMaze_;
};

}  // namespace quivra
