// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render: a whole scene built through the real build stages on the headless host,
// then key presses, Clear and the correct path as a player would give them, saved as a picture.
#include <optional>
#include <sstream>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "tools/picture_file.h"
#include "tools/progress.h"
#include "tools/tool_cli.h"

namespace quivra::tool {

namespace {

constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 16000LL * 9000LL;
// A whole scene at the largest size with this many candidates already takes hours.
constexpr int kMaxTrials = 1'000'000;

void ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) throw UsageError("size must be WxH, not " + Quoted(text));
    width = ParseInt(std::string_view(text).substr(0, x), "window width", 1, kMaxSide);
    height = ParseInt(std::string_view(text).substr(x + 1), "window height", 1, kMaxSide);
    if (static_cast<long long>(width) * height > kMaxPixels) throw UsageError("window larger than 16000 x 9000 pixels");
}

std::vector<int> ParseKeys(const std::string& text) {
    std::vector<int> keys;
    size_t pos = 0;
    for (;;) {
        const size_t comma = text.find(',', pos);
        keys.push_back(ParseInt(std::string_view(text).substr(pos, comma == std::string::npos ? comma : comma - pos),
                                "key code", 1, 255));
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return keys;
}

void PrintGrid(const char* name, const ByteGrid& grid, std::string& out) {
    out += name;
    out += '\n';
    for (int y = 0; y <= grid.MaxY(); ++y) {
        for (int x = 0; x <= grid.MaxX(); ++x) out += static_cast<char>('0' + grid(y, x));
        out += '\n';
    }
}

// The headless window, with every reading of its scripted clock counted for the progress line.
class WatchedForm : public HeadlessForm {
public:
    using HeadlessForm::HeadlessForm;
    double Timer() const override {
        if (progress) progress->Reading();
        return HeadlessForm::Timer();
    }
    mutable std::optional<Progress> progress;   // the clock is read through a const method
};

}  // namespace

void RunRender(const ParsedOptions& options, std::string& out, int progressFd) {
    const std::string& style = options.Required("style")[0];
    if (style != "square" && style != "hex") throw UsageError("unknown style " + Quoted(style) + " (square or hex)");
    int width = 400, height = 298;
    if (options.Has("size")) ParseSize(options.Required("size")[0], width, height);
    const int tilt = options.Has("tilt") ? ParseInt(options.Required("tilt")[0], "tilt", kVScroll1Min, kVScroll1Max) : 45;
    double time = 43200.52;
    if (options.Has("time")) time = ParseSeconds(options.Required("time")[0], "time", 86400, false);
    const int trials = options.Has("trials") ? ParseInt(options.Required("trials")[0], "trial count", 0, kMaxTrials) : 100;
    const std::vector<int> keys = options.Has("keys") ? ParseKeys(options.Required("keys")[0]) : std::vector<int>{};
    // Before the work, so that a name that cannot be written does not cost a long build.
    const PictureTarget target = CheckPictureTarget(options.Required("out")[0]);

    const ScreenCaps caps = options.Has("palette") ? ScreenCaps{1, 8, 20} : ScreenCaps{1, 32, -1};
    WatchedForm host(width, height, caps);
    FrmMain form(host);
    host.SetVScroll1Value(90 - tilt);
    form.Form_Load();
    if (style == "hex") {
        // The style chosen before the first showing, so the first maze is already a honeycomb.
        host.SetMenuChecked(Menu::Style, kHoneycomb, true);
        host.SetMenuChecked(Menu::Style, kSquare, false);
    }
    host.SetClock(time, HeadlessForm::StepForTrials(trials));
    // The clock is read once for the seed text and once before the first candidate.
    host.progress.emplace(progressFd, trials, 0.0, 2);
    form.Form_Resize();
    const std::string seed = form.State().maze.seedText;
    const int stages = host.RunTimer();
    host.progress.reset();

    for (int key : keys) host.PressKey(key);
    if (options.Has("clear") && host.MenuEnabled(Menu::Action, kClear)) {
        form.mnuActionItem_Click(kClear);
        host.RunTimer();
    }
    if (options.Has("solution") && host.MenuEnabled(Menu::Action, kShowSolution)) {
        form.mnuActionItem_Click(kShowSolution);
    }
    WritePicture(host.Image(), target);

    const GameState& s = form.State();
    out += "seed \"" + seed + "\"\n";
    out += "cells " + std::to_string(s.maze.cellsX) + " " + std::to_string(s.maze.cellsY) + "\n";
    out += "stages " + std::to_string(stages) + "\n";
    out += "player " + std::to_string(s.walk.playerX) + " " + std::to_string(s.walk.playerY) + "\n";
    out += "exitReached " + std::string(s.walk.exitReached ? "1" : "0") + "\n";
    out += "beeps " + std::to_string(host.beeps) + "\n";
    out += "status " + host.Text1Text() + "\n";
    if (options.Has("dump") && s.maze.mazeGrid.Exists()) {
        PrintGrid("mazeGrid", s.maze.mazeGrid, out);
        PrintGrid("walkGrid", s.walk.walkGrid, out);
    }
}

}  // namespace quivra::tool
