// SPDX-License-Identifier: GPL-3.0-or-later
// What outlives a game: the game kept when the window closes mid-walk, the time played, and the
// records per style and size. Plain texts in, plain texts out: where they are stored is the
// window's.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/maze_sizes.h"
#include "maze/maze_code.h"

namespace quivra {

class Game;

// A game kept to resume: the maze by its code, the walk, the tilt, the time played, the way the
// player faces (-1: the start's) and whether help was taken in the walk.
struct KeptGame {
    NamedMaze maze;
    std::vector<uint8_t> moves;
    int tilt = 45;
    double seconds = 0;
    int heading = -1;
    bool helped = false;
    bool operator==(const KeptGame&) const = default;
};

// The game worth keeping: a maze with a walk begun and not walked out.
std::optional<KeptGame> GameToKeep(const Game& g, double seconds);

// Numbers as the files keep them, whatever the C library's locale: "12.5", and back.
std::string DecimalText(double value, int decimals);
bool ReadDecimal(std::string_view text, double& value);

// The kept game's text, and back: nothing with the reason for a text that is truncated, of another
// version, names no maze, or whose moves do not walk that maze (a wall, or out and on).
std::string WriteKeptGame(const KeptGame& kept);
struct KeptGameResult {
    std::optional<KeptGame> game;
    std::string error;
};
KeptGameResult ReadKeptGame(std::string_view text);

// The time played: from the first step, paused while the window is minimised and once walked out.
class PlayClock {
public:
    void Reset(double playedSeconds = 0) { played_ = playedSeconds, since_.reset(), started_ = playedSeconds > 0; }
    void Run(double now) {
        started_ = true;
        if (!since_) since_ = now;
    }
    void Pause(double now) {
        if (since_) played_ += now - *since_;
        since_.reset();
    }
    bool Started() const { return started_; }
    bool Running() const { return since_.has_value(); }
    double Seconds(double now) const { return played_ + (since_ ? now - *since_ : 0); }

private:
    double played_ = 0;
    std::optional<double> since_;
    bool started_ = false;
};

// "m:ss", or "h:mm:ss" from an hour on.
std::string ClockText(double seconds);

// A finished walk against the records of its style and size.
struct WinReport {
    int steps = 0;
    int shortest = 0;     // the correct path's steps
    double seconds = 0;
    bool perfect = false;     // exactly the correct path's steps
    bool fastest = false;     // a new best time
    bool fewest = false;      // a new fewest steps
    bool helped = false;      // the correct path or a hint was seen: not a record
};

struct RecordEntry {
    int wins = 0;
    double bestSeconds = 0;
    int fewestSteps = 0;
    int perfectWalks = 0;
    bool operator==(const RecordEntry&) const = default;
};

// Records by key: the style and the size ("square small", "hex 31x21").
class Records {
public:
    static std::string Key(MazeStyle style, const SizeChoice& size, int cellsX, int cellsY);
    WinReport Add(const std::string& key, int steps, int shortest, double seconds);
    const std::map<std::string, RecordEntry>& Entries() const { return entries_; }
    // One entry as stored ("wins seconds steps perfect"), and back (nothing for a broken one).
    static std::string WriteEntry(const RecordEntry& e);
    static std::optional<RecordEntry> ReadEntry(std::string_view text);
    void Set(const std::string& key, const RecordEntry& e) { entries_[key] = e; }

private:
    std::map<std::string, RecordEntry> entries_;
};

}  // namespace quivra
