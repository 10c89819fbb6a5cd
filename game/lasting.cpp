// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/lasting.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "game/game.h"

namespace quivra {

namespace {

constexpr std::string_view kKeptHeaderV1 = "Quivra kept game 1";
constexpr std::string_view kKeptHeader = "Quivra kept game 2";

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
    return KeptGame{*code.maze, moves, static_cast<int>(std::lround(g.viewAngle())), seconds, g.Heading(), false};
}

std::string DecimalText(double value, int decimals) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

bool ReadDecimal(std::string_view text, double& value) {
    // from_chars takes no sign of its own beyond '-', and never reads the locale's comma.
    return !text.empty() && text.front() != '+' && ParseNumber(text, value);
}

std::string WriteKeptGame(const KeptGame& kept) {
    std::string moves;
    for (const uint8_t d : kept.moves) moves += static_cast<char>('0' + d);
    const int heading = kept.heading >= 0 ? kept.heading : RulesOf(kept.maze.shape.style).startHeading;
    return std::string(kKeptHeader) + "\ncode " + MazeCode(kept.maze) + "\ntilt " + std::to_string(kept.tilt) +
           "\nseconds " + DecimalText(kept.seconds, 1) + "\nheading " + std::to_string(heading) + "\nhelp " +
           (kept.helped ? "1" : "0") + "\nmoves " + moves + "\nend\n";
}

KeptGameResult ReadKeptGame(std::string_view text) {
    KeptGameResult r;
    if (text.find('\r') != std::string_view::npos) return {std::nullopt, "its lines end in CR LF, not LF"};
    std::string_view value;
    std::string_view header = text.substr(0, text.find('\n'));
    const bool v1 = header == kKeptHeaderV1;
    if (!TakeLine(text, v1 ? kKeptHeaderV1 : kKeptHeader, value) || !value.empty()) {
        return {std::nullopt, "not a kept game of this version"};
    }
    if (!TakeLine(text, "code", value)) return {std::nullopt, "truncated"};
    const MazeCodeResult code = ParseMazeCode(std::string(value));
    if (!code.maze) return {std::nullopt, "its maze code is not valid: " + code.error};
    if (!StyleCanDraw(code.maze->shape)) return {std::nullopt, "its maze is too large to draw"};
    const StyleRules& rules = RulesOf(code.maze->shape.style);
    KeptGame kept{*code.maze, {}, 0, 0, rules.startHeading, false};
    std::string_view tilt, seconds, heading = "-1", help = "0", moves, end;
    if (!TakeLine(text, "tilt", tilt) || !TakeLine(text, "seconds", seconds) ||
        (!v1 && (!TakeLine(text, "heading", heading) || !TakeLine(text, "help", help))) ||
        !TakeLine(text, "moves", moves) || !TakeLine(text, "end", end) || !end.empty() || !text.empty()) {
        return {std::nullopt, "truncated"};
    }
    if (!ParseNumber(tilt, kept.tilt) || kept.tilt < 90 - kVScroll1Max || kept.tilt > 90 - kVScroll1Min) {
        return {std::nullopt, "its tilt is not 30..60"};
    }
    if (!ReadDecimal(seconds, kept.seconds) || !(kept.seconds >= 0 && kept.seconds < 1e9)) {
        return {std::nullopt, "its time is not a time"};
    }
    if (!v1 && (!ParseNumber(heading, kept.heading) || kept.heading < 0 || kept.heading >= rules.directions)) {
        return {std::nullopt, "its heading is not a direction of the style"};
    }
    if (help != "0" && help != "1") return {std::nullopt, "its help is not 0 or 1"};
    kept.helped = help == "1";
    for (const char c : moves) {
        if (c < '0' || c >= '0' + rules.directions) return {std::nullopt, "its moves are not the style's directions"};
        kept.moves.push_back(static_cast<uint8_t>(c - '0'));
    }
    if (kept.moves.empty()) return {std::nullopt, "it has no moves"};
    // The walk must be one the maze allows, and not one out of it.
    Game g;
    g.PlayCode(kept.maze);
    g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    for (const uint8_t d : kept.moves) {
        if (g.walk().exitReached) return {std::nullopt, "its moves go on after walking out through the exit"};
        if (g.Step(d).outcome == StepOutcome::Blocked) return {std::nullopt, "its moves go through a wall"};
    }
    if (g.walk().exitReached) return {std::nullopt, "its moves walk out through the exit: a finished game"};
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
    WinReport w{steps, shortest, seconds, steps == shortest, false, false, false};
    RecordEntry& e = entries_[key];
    w.fastest = e.wins == 0 || seconds < e.bestSeconds;
    w.fewest = e.wins == 0 || steps < e.fewestSteps;
    if (w.fastest) e.bestSeconds = seconds;
    if (w.fewest) e.fewestSteps = steps;
    // Counters stop at their largest value rather than wrap round.
    if (e.wins < std::numeric_limits<int>::max()) ++e.wins;
    if (w.perfect && e.perfectWalks < e.wins) ++e.perfectWalks;
    return w;
}

std::string Records::WriteEntry(const RecordEntry& e) {
    return std::to_string(e.wins) + " " + DecimalText(e.bestSeconds, 1) + " " + std::to_string(e.fewestSteps) + " " +
           std::to_string(e.perfectWalks);
}

std::optional<RecordEntry> Records::ReadEntry(std::string_view text) {
    std::string_view fields[4];
    for (std::string_view& field : fields) {
        const size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) return std::nullopt;
        text.remove_prefix(start);
        const size_t blank = std::min(text.find(' '), text.size());
        field = text.substr(0, blank);
        text.remove_prefix(blank);
    }
    if (text.find_first_not_of(' ') != std::string_view::npos) return std::nullopt;
    RecordEntry e;
    if (!ParseNumber(fields[0], e.wins) || !ReadDecimal(fields[1], e.bestSeconds) ||
        !ParseNumber(fields[2], e.fewestSteps) || !ParseNumber(fields[3], e.perfectWalks)) {
        return std::nullopt;
    }
    if (e.wins < 1 || !(e.bestSeconds >= 0) || e.fewestSteps < 1 || e.perfectWalks < 0 || e.perfectWalks > e.wins) {
        return std::nullopt;
    }
    return e;
}

}  // namespace quivra
