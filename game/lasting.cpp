// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/lasting.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "game/game.h"

namespace quivra {

namespace {

constexpr std::string_view kKeptHeader = "Quivra kept game 1";

template <class T>
bool ParseNumber(std::string_view text, T& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

// "name value" lines, in this order.
bool TakeLine(std::string_view& text, std::string_view name, std::string_view& value) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.substr(0, name.size()) != name) return false;
    value = line.size() > name.size() ? line.substr(name.size() + 1) : std::string_view();
    return line.size() == name.size() || line[name.size()] == ' ';
}

}  // namespace

std::optional<KeptGame> GameToKeep(const Game& g, double seconds) {
    const std::vector<uint8_t>& moves = g.WalkMoves();
    if (!g.HasMaze() || moves.empty() || g.walk().exitReached) return std::nullopt;
    const MazeCodeResult code = ParseMazeCode(g.Code());
    if (!code.maze) return std::nullopt;
    return KeptGame{*code.maze, moves, static_cast<int>(std::lround(g.viewAngle())), seconds};
}

std::string WriteKeptGame(const KeptGame& kept) {
    std::string moves;
    for (const uint8_t d : kept.moves) moves += static_cast<char>('0' + d);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", kept.seconds);
    return std::string(kKeptHeader) + "\ncode " + MazeCode(kept.maze) + "\ntilt " + std::to_string(kept.tilt) +
           "\nseconds " + seconds + "\nmoves " + moves + "\nend\n";
}

KeptGameResult ReadKeptGame(std::string_view text) {
    KeptGameResult r;
    std::string_view value;
    if (!TakeLine(text, kKeptHeader, value) || !value.empty()) return {std::nullopt, "not a kept game of this version"};
    if (!TakeLine(text, "code", value)) return {std::nullopt, "truncated"};
    const MazeCodeResult code = ParseMazeCode(std::string(value));
    if (!code.maze) return {std::nullopt, "its maze code is not valid: " + code.error};
    if (!StyleCanDraw(code.maze->shape)) return {std::nullopt, "its maze is too large to draw"};
    KeptGame kept{*code.maze, {}, 0, 0};
    std::string_view tilt, seconds, moves, end;
    if (!TakeLine(text, "tilt", tilt) || !TakeLine(text, "seconds", seconds) || !TakeLine(text, "moves", moves) ||
        !TakeLine(text, "end", end) || !end.empty() || !text.empty()) {
        return {std::nullopt, "truncated"};
    }
    if (!ParseNumber(tilt, kept.tilt) || kept.tilt < 90 - kVScroll1Max || kept.tilt > 90 - kVScroll1Min) {
        return {std::nullopt, "its tilt is not 30..60"};
    }
    if (!ParseNumber(seconds, kept.seconds) || !(kept.seconds >= 0 && kept.seconds < 1e9)) {
        return {std::nullopt, "its time is not a time"};
    }
    const int directions = RulesOf(kept.maze.shape.style).directions;
    for (const char c : moves) {
        if (c < '0' || c >= '0' + directions) return {std::nullopt, "its moves are not the style's directions"};
        kept.moves.push_back(static_cast<uint8_t>(c - '0'));
    }
    if (kept.moves.empty()) return {std::nullopt, "it has no moves"};
    // The walk must be one the maze allows, and not one out of it.
    Game g;
    g.PlayCode(kept.maze);
    g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    if (!g.Replay(kept.moves) || g.walk().exitReached) return {std::nullopt, "its moves go through a wall"};
    r.game = std::move(kept);
    return r;
}

std::string ClockText(double seconds) {
    const long total = std::lround(std::floor(std::max(0.0, seconds)));
    char text[32];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    }
    return text;
}

std::string Records::Key(MazeStyle style, const SizeChoice& size, int cellsX, int cellsY) {
    const std::string name = RulesOf(style).name;
    if (size.kind == SizeChoice::Kind::Named) return name + " " + SizeChoiceKey(size);
    return name + " " + std::to_string(cellsX) + "x" + std::to_string(cellsY);
}

WinReport Records::Add(const std::string& key, int steps, int shortest, double seconds) {
    WinReport w{steps, shortest, seconds, steps == shortest, false, false};
    RecordEntry& e = entries_[key];
    w.fastest = e.wins == 0 || seconds < e.bestSeconds;
    w.fewest = e.wins == 0 || steps < e.fewestSteps;
    if (w.fastest) e.bestSeconds = seconds;
    if (w.fewest) e.fewestSteps = steps;
    ++e.wins;
    if (w.perfect) ++e.perfectWalks;
    return w;
}

std::string Records::WriteEntry(const RecordEntry& e) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", e.bestSeconds);
    return std::to_string(e.wins) + " " + seconds + " " + std::to_string(e.fewestSteps) + " " +
           std::to_string(e.perfectWalks);
}

std::optional<RecordEntry> Records::ReadEntry(std::string_view text) {
    std::istringstream in{std::string(text)};
    RecordEntry e;
    std::string rest;
    if (!(in >> e.wins >> e.bestSeconds >> e.fewestSteps >> e.perfectWalks) || (in >> rest)) return std::nullopt;
    if (e.wins < 1 || e.bestSeconds < 0 || e.fewestSteps < 1 || e.perfectWalks < 0 || e.perfectWalks > e.wins) {
        return std::nullopt;
    }
    return e;
}

}  // namespace quivra
