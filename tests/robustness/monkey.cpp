// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/robustness/monkey.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "game/key_codes.h"
#include "tests/support/correct_path.h"

namespace quivra::robustness {

namespace {

// Every key either style looks at, keypad 5, and a few keys neither does.
constexpr int kAnyKeys[] = {vk::kPageUp, vk::kPageDown, vk::kEnd,    vk::kHome,   vk::kLeft, vk::kUp,   vk::kRight,
                            vk::kDown,   vk::kPad1,     vk::kPad2,   vk::kPad3,   vk::kPad4, vk::kPad5, vk::kPad6,
                            vk::kPad7,   vk::kPad8,     vk::kPad9,   0,           vk::kReturn, vk::kEscape,
                            vk::kInsert, vk::kDelete,   vk::kA,      vk::kF1,     255};

const char* KindName(int kind) {
    static const char* const names[] = {"tick", "run to end", "key", "walk open", "walk solution", "game menu",
                                        "style menu", "help menu", "scroll", "drag thumb", "resize", "minimise",
                                        "restore", "repaint", "post", "exit"};
    return names[kind];
}

}  // namespace

Watchdog::Watchdog(double seconds, std::function<std::string()> describe) {
    thread_ = std::thread([this, seconds, describe = std::move(describe)] {
        const auto limit = std::chrono::duration<double>(seconds);
        auto last = std::chrono::steady_clock::now();
        long seen = beats_.load();
        std::unique_lock lock(mutex_);
        while (!stop_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stopping_; })) {
            const auto now = std::chrono::steady_clock::now();
            if (const long beats = beats_.load(); beats != seen) {
                seen = beats, last = now;
            } else if (now - last > limit) {
                std::fprintf(stderr, "\nno progress for %.0f s: %s\n", seconds, describe().c_str());
                std::fflush(stderr);
                std::_Exit(3);   // the stuck thread never returns; nothing else can end the run
            }
        }
    });
}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_one();
    thread_.join();
}

namespace {
std::unique_ptr<HostDriver> MakeDriver(const MonkeyOptions& o, int w, int h, double clock) {
    if (o.realWindow) return MakeQtDriver(w, h, clock);
    return MakeHeadlessDriver(w, h, o.palette ? ScreenCaps{1, 8, 20} : ScreenCaps{}, clock);
}
}  // namespace

Monkey::Monkey(const MonkeyOptions& options)
    : options_(options),
      rng_(options.seed),
      driver_(MakeDriver(options, Uniform(1, 900), Uniform(1, 700), Uniform(0, 86399) + 0.25)),
      d_(*driver_),
      host_(d_.Host()),
      form_(d_.Form()) {
    d_.onDoEvents = [this] { OnDoEvents(); };
    if (options_.watchdogSeconds > 0) {
        watchdog_ = std::make_unique<Watchdog>(options_.watchdogSeconds, [this] {
            std::ostringstream out;
            out << "seed " << options_.seed << ", event " << eventShown_.load() << "; last events:\n"
                << RecentEvents();
            return out.str();
        });
    }
}

Monkey::Kind Monkey::PickKind(bool nested) {
    // Weights of the events a user (or the toolkit) can raise at any moment.
    struct Weighted {
        Kind kind;
        int weight;
    };
    static const Weighted table[] = {
        {Kind::Tick, 30},      {Kind::RunToEnd, 2}, {Kind::Key, 18},       {Kind::WalkOpen, 8},
        {Kind::WalkSolution, 1}, {Kind::ActionMenu, 5}, {Kind::StyleMenu, 3}, {Kind::HelpMenu, 1},
        {Kind::Scroll, 4},     {Kind::Drag, 4},     {Kind::Resize, 6},     {Kind::Minimize, 2},
        {Kind::Restore, 2},    {Kind::Repaint, 3},  {Kind::Post, 8},
    };
    int total = 0;
    for (const auto& w : table) total += w.weight;
    for (;;) {
        int r = Uniform(0, total - 1);
        for (const auto& w : table) {
            if (r < w.weight) {
                // Inside a step the toolkit delivers input and window events; the timer only fires
                // there from a modal loop, which Do() arranges itself.
                if (nested && (w.kind == Kind::Tick || w.kind == Kind::RunToEnd || w.kind == Kind::Post ||
                               w.kind == Kind::WalkSolution)) {
                    break;
                }
                return w.kind;
            }
            r -= w.weight;
        }
    }
}

void Monkey::Tick() {
    if (exited_) return;
    ++stepDepth_;
    report_.maxStepDepth = std::max(report_.maxStepDepth, stepDepth_);
    if (d_.Tick()) ++report_.ticks;
    --stepDepth_;
}

void Monkey::PressKey(int key) {
    const GameState& s = form_.State();
    const int x = s.walk().playerX, y = s.walk().playerY;
    const bool exit = s.walk().exitReached;
    d_.PressKey(key);
    if (s.walk().playerX != x || s.walk().playerY != y) ++report_.steps;
    if (!exit && s.walk().exitReached) ++report_.exitsReached;
}

void Monkey::ResizeRandomly() {
    const int text1 = d_.Text1HeightPixels();
    const int scroll = d_.VScroll1WidthPixels();
    int w, h;
    const int r = Uniform(0, 99);
    if (options_.huge && Uniform(0, 499) == 0) {
        ++report_.hugeResizes;
        if (Chance(0.5)) {
            w = 16000, h = 9000;
        } else {
            w = 7680, h = 4320;
        }
    } else if (r < 15) {   // around the edges: too low, exactly at the limit, narrower than the scroll bar
        w = Chance(0.5) ? Uniform(1, scroll + 2) : Uniform(1, 400);
        h = Chance(0.7) ? 3 * text1 + Uniform(-2, 1) : Uniform(1, 4 * text1);
    } else if (r < 45) {
        w = Uniform(1, 200), h = Uniform(1, 200);
    } else if (r < 95) {
        w = Uniform(200, 1000), h = Uniform(100, 800);
    } else {
        w = Uniform(1000, 3000), h = Uniform(60, 2000);
    }
    d_.ResizeClient(w, h);
}

void Monkey::OnDoEvents() {
    // What the user did while the step was drawing reaches the game now.
    if (exited_ || stepDepth_ > 2) return;
    const int count = Chance(0.25) ? Uniform(1, 3) : 0;
    for (int i = 0; i < count && !exited_ && report_.failure.empty(); ++i) {
        if (options_.exitAt >= 0 && eventIndex_ >= options_.exitAt) {
            Do(Kind::Exit, true);
        } else {
            Do(PickKind(true), true);
        }
        ++report_.nestedEvents;
        Check(false);
    }
}

void Monkey::Do(Kind kind, bool nested) {
    if (exited_) return;
    ++report_.events;
    lastKind_ = KindName(static_cast<int>(kind));
    const GameState& s = form_.State();
    if (watchdog_) watchdog_->Beat();
    eventShown_.store(eventIndex_, std::memory_order_relaxed);
    char line[200];
    std::snprintf(line, sizeof line,
                  "%ld%s %s: stage %d, run %d, timer %d, %s, grid %dx%d, player (%d, %d), window %dx%d%s\n",
                  eventIndex_, nested ? " (in a step)" : "", lastKind_, s.build.buildStage, s.build.drawInProgress,
                  host_.Timer1Enabled(), (form_.CheckedStyle() == MazeStyle::Honeycomb) ? "hex" : "square", s.maze().gridMaxX,
                  s.maze().gridMaxY, s.walk().playerX, s.walk().playerY, d_.ClientWidth(), d_.ClientHeight(),
                  host_.WindowState() == kWindowMinimized ? " minimised" : "");
    if (options_.trace) std::fputs(line, stdout);
    {
        const std::lock_guard lock(recentMutex_);
        recent_[recentCount_++ % recent_.size()] = line;
    }
    switch (kind) {
    case Kind::Tick:
        Tick();
        break;
    case Kind::RunToEnd:
        // Enough ticks to finish a build on a normal window; each one is checked as an event.
        for (int i = 0; i < 400 && host_.Timer1Enabled() && !exited_ && report_.failure.empty(); ++i) {
            Tick();
            ++eventIndex_;
            ++report_.events;
            if (!Check(true)) return;
        }
        break;
    case Kind::Key:
        PressKey(kAnyKeys[Uniform(0, static_cast<int>(std::size(kAnyKeys)) - 1)]);
        break;
    case Kind::WalkOpen: {
        // A burst of steps through open walls, so walks get far from the start.
        const int steps = Uniform(1, 40);
        for (int i = 0; i < steps && s.walk().walkGrid.Exists(); ++i) {
            const bool hex = (form_.CheckedStyle() == MazeStyle::Honeycomb);
            const int dirs = hex ? 6 : 4;
            const int d = Uniform(0, dirs - 1);
            const int wx = s.walk().playerX + (hex ? s.tables().hexStepX[d][0] : s.tables().stepX[d][0]);
            const int wy = s.walk().playerY + (hex ? s.tables().hexStepY[d][0] : s.tables().stepY[d][0]);
            if (!s.walk().walkGrid.Contains(wy, wx) || s.walk().walkGrid(wy, wx) == 0) continue;
            PressKey(hex ? test::kHoneycombKeys[d] : test::kSquareKeys[d]);
        }
        break;
    }
    case Kind::WalkSolution: {
        // From the start along the marked route and out through the exit.
        const bool hex = (form_.CheckedStyle() == MazeStyle::Honeycomb);
        auto walkable = [&] {
            return !exited_ && s.build.buildStage == kStageFinished && !s.build.drawInProgress &&
                   !s.maze().needNewMaze && s.walk().walkGrid.Exists() && !s.walk().exitReached && !s.walk().showingSolution &&
                   (form_.CheckedStyle() == MazeStyle::Honeycomb) == hex;
        };
        auto atStart = [&] { return s.walk().playerX == (hex ? 3 : 1) && s.walk().playerY == (hex ? 2 : 1); };
        if (!walkable() || !atStart()) {
            if (!host_.MenuEnabled(Menu::Action, kClear)) break;
            d_.Click(Menu::Action, kClear);
            Do(Kind::RunToEnd, nested);
        }
        // Events that arrived during the redraw may have changed everything.
        if (!walkable() || !atStart()) break;
        int x = s.walk().playerX, y = s.walk().playerY;
        for (int d : test::CorrectPathDirections(s, hex)) {
            const long othersBefore = report_.nestedEvents;
            const int changesBefore = d_.counts.changes;
            PressKey(hex ? test::kHoneycombKeys[d] : test::kSquareKeys[d]);
            ++eventIndex_;
            ++report_.events;
            if (!Check(true)) return;
            x += 2 * (hex ? s.tables().hexStepX[d][0] : s.tables().stepX[d][0]);
            y += 2 * (hex ? s.tables().hexStepY[d][0] : s.tables().stepY[d][0]);
            // The real window lets queued events in after each key; one of them may have made a new
            // maze (a new route), cleared, redrawn or moved the player. The walk ends there.
            if (report_.nestedEvents != othersBefore &&
                (d_.counts.changes != changesBefore || !walkable() || s.walk().playerX != x || s.walk().playerY != y)) {
                ++report_.walksInterrupted;
                return;
            }
        }
        if (!s.walk().exitReached) Fail("walking the marked route did not reach the exit");
        break;
    }
    case Kind::ActionMenu:
        // Greyed-out items (the correct path and Clear during a run) do nothing when clicked.
        d_.Click(Menu::Action, Uniform(0, 3));
        break;
    case Kind::StyleMenu:
        d_.Click(Menu::Style, Uniform(0, 1));
        break;
    case Kind::HelpMenu: {
        // The message box runs its own loop: the timer, if a handler armed it, fires inside it.
        const bool tick = nested && Chance(0.5);
        d_.whileAboutOpen = [this, tick] {
            if (!tick) return;
            nestedTickAllowed_ = true;
            Tick();
        };
        d_.Click(Menu::Help, 0);
        d_.whileAboutOpen = nullptr;
        break;
    }
    case Kind::Scroll:
        d_.ScrollTo(Uniform(kVScroll1Min - 3, kVScroll1Max + 3));
        break;
    case Kind::Drag:
        d_.DragThumb(Uniform(kVScroll1Min - 3, kVScroll1Max + 3));
        if (Chance(0.3)) d_.ReleaseThumb();
        break;
    case Kind::Resize:
        ResizeRandomly();
        break;
    case Kind::Minimize:
        d_.Minimize();
        break;
    case Kind::Restore:
        d_.Restore();
        break;
    case Kind::Repaint:
        host_.Refresh();
        break;
    case Kind::Post: {
        const int count = Uniform(1, 3);
        for (int i = 0; i < count; ++i) {
            const Kind k = PickKind(true);
            d_.Post([this, k] {
                if (exited_) return;   // nothing reaches a program that has ended
                Do(k, true);
                ++report_.nestedEvents;
                Check(false);
            });
        }
        break;
    }
    case Kind::Exit:
        // Events still queued behind the exit find the program ended.
        exited_ = true;
        if (options_.exitByClose) {
            d_.Close();
        } else {
            d_.Click(Menu::Action, kExit);
        }
        break;
    }
}

bool Monkey::Fail(const std::string& what) {
    if (!report_.failure.empty()) return false;
    std::ostringstream out;
    out << what << " (seed " << options_.seed << ", event " << eventIndex_ << ", " << lastKind_;
    if (options_.exitAt >= 0) out << ", exit at event " << options_.exitAt << (options_.exitByClose ? " by closing" : "");
    out << ")";
    report_.failure = out.str() + "; last events:\n" + RecentEvents();
    return false;
}

std::string Monkey::RecentEvents() {
    const std::lock_guard lock(recentMutex_);
    std::string text;
    const size_t n = std::min(recentCount_, recent_.size());
    for (size_t i = recentCount_ - n; i < recentCount_; ++i) text += "  " + recent_[i % recent_.size()];
    return text;
}

bool Monkey::Check(bool topLevel) {
    if (watchdog_) watchdog_->Beat();
    if (!report_.failure.empty()) return false;
    const GameState& s = form_.State();
    if (host_.hDC().LiveObjects() != 0) return Fail("brushes, pens or regions left alive after drawing");
    // Every drawing step selects the window's own palette back when it is done.
    DeviceContext& dc = host_.hDC();
    if (dc.SelectPalette(dc.DefaultPalette(), false) != dc.DefaultPalette()) {
        return Fail("the game palette left selected after drawing");
    }

    if (exited_) {
        if (s.build.buildStage != kStageClosing) return Fail("buildStage is not 6 after the program ended");
        if (host_.Timer1Enabled()) return Fail("Timer1 still enabled after the program ended");
        if (s.maze().mazeGrid.Exists() || s.walk().walkGrid.Exists() || !s.maze().pathSteps.empty()) {
            return Fail("grids not released at the end");
        }
        return true;
    }
    if (s.build.buildStage > kStageFinished)
        return Fail("buildStage " + std::to_string(s.build.buildStage) + " while running");

    // One chain: a run marked under way has a timer tick coming or a step on the stack, and a
    // timer armed without a run is only the last tick of a stopped one, which draws nothing.
    if (s.build.drawInProgress && !host_.Timer1Enabled() && stepDepth_ == 0) {
        return Fail("drawInProgress with no timer and no step: the run can never finish");
    }
    if (host_.Timer1Enabled() && !s.build.drawInProgress && s.build.buildStage < kStageFinished) {
        return Fail("timer armed for a build that no run owns");
    }
    if (stepDepth_ > 1 && !nestedTickAllowed_) return Fail("a build step started inside another");
    if (s.build.drawInProgress &&
        (host_.MenuEnabled(Menu::Action, kShowSolution) || host_.MenuEnabled(Menu::Action, kClear))) {
        return Fail("correct path or Clear offered while a run is under way");
    }

    // Grids and the player.
    if (s.maze().mazeGrid.Exists() != s.walk().walkGrid.Exists()) return Fail("only one of mazeGrid and walkGrid exists");
    if (s.maze().mazeGrid.Exists()) {
        if (s.maze().mazeGrid.MaxX() != s.walk().walkGrid.MaxX() || s.maze().mazeGrid.MaxY() != s.walk().walkGrid.MaxY() ||
            s.maze().mazeGrid.MaxX() != s.maze().gridMaxX || s.maze().mazeGrid.MaxY() != s.maze().gridMaxY) {
            return Fail("grid bounds differ");
        }
        // While a new maze is pending the player still stands on the old one, which nothing reads:
        // walking waits for the new maze, which puts the player on its start.
        if (s.maze().needNewMaze) {
        } else if (s.walk().exitReached) {
            if (s.walk().playerY < s.maze().gridMaxY || s.walk().playerX < 0 || s.walk().playerX > s.maze().gridMaxX) {
                return Fail("exit reached but the player is not past the exit");
            }
        } else if (!s.walk().walkGrid.Contains(s.walk().playerY, s.walk().playerX) ||
                   s.walk().walkGrid(s.walk().playerY, s.walk().playerX) != 1) {
            return Fail("player not on a trail cell of walkGrid");
        }
        // The whole grid now and then, and always while it is small.
        if (s.walk().walkGrid.Size() <= 8192 || eventIndex_ % 32 == 0) {
            const uint8_t* walk = s.walk().walkGrid.Data();
            const uint8_t* maze = s.maze().mazeGrid.Data();
            for (size_t i = 0; i < s.walk().walkGrid.Size(); ++i) {
                if (walk[i] > 3) return Fail("walking mark outside 0..3");
                if ((walk[i] == 0) != (maze[i] == 0)) return Fail("walkGrid and mazeGrid disagree on a wall");
            }
        }
    }
    if (!topLevel) return true;

    // A finished build that nothing has cleared since is on screen with the right status line.
    const bool finished = s.build.buildStage == kStageFinished && !s.build.drawInProgress && !host_.Timer1Enabled();
    if (finished && !wasFinished_ && d_.counts.lastFinish > d_.counts.lastClear) ++report_.finishedBuilds;
    wasFinished_ = finished;
    if (finished && d_.counts.lastFinish > d_.counts.lastClear && host_.WindowState() != kWindowMinimized) {
        const bool hex = (form_.CheckedStyle() == MazeStyle::Honeycomb);
        const std::string expected =
            s.walk().showingSolution ? "" : s.walk().exitReached ? kCongratulation : hex ? kHexHint : kSquareHint;
        if (host_.Text1Text() != expected) return Fail("status line '" + host_.Text1Text() + "' after a build");
        if (!host_.MenuEnabled(Menu::Action, kShowSolution) || !host_.MenuEnabled(Menu::Action, kClear)) {
            return Fail("correct path or Clear not offered after a build");
        }
        if (s.maze().needNewMaze) return Fail("a build finished with a new maze still pending");
        // The floor covers the middle of any drawing area worth the name.
        const int w = DrawAreaWidthPixels(host_), h = DrawAreaHeightPixels(host_);
        if (w >= 40 && h >= 40 && d_.Image().pixel(w / 2, h / 2) == qRgb(255, 255, 255)) {
            return Fail("finished build not on screen");
        }
    }
    return true;
}

MonkeyReport Monkey::Run() {
    d_.Show();
    Check(true);
    for (eventIndex_ = 0; eventIndex_ < options_.events && report_.failure.empty() && !exited_; ++eventIndex_) {
        nestedTickAllowed_ = false;
        if (options_.exitAt >= 0 && eventIndex_ >= options_.exitAt) {
            Do(Kind::Exit, false);
        } else {
            Do(PickKind(false), false);
        }
        Check(true);
    }
    if (report_.failure.empty() && !exited_) {
        // Exit last, in the middle of whatever is going on (and in the runs that exit early, when
        // a walk or a whole redraw carried the count past the chosen event).
        Do(Kind::Exit, false);
        Check(true);
    }
    if (report_.failure.empty() && d_.Tick()) Fail("the timer still fires after the program ended");
    return report_;
}

}  // namespace quivra::robustness
