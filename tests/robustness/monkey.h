// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A seeded random event driver for the game: keys, menus, the scroll bar, resizes from a sliver
// to a wall of screens, minimise and restore, repaints, and events that arrive while a build
// step lets pending events run. It drives the headless host, or the real Qt window through Qt's
// own events. After every event it checks what must always hold, and a failure names the seed
// and the event so it can be replayed.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "host_driver.h"

namespace quivra::robustness {

struct MonkeyOptions {
    uint64_t seed = 1;
    long events = 2000;
    bool huge = false;        // now and then a 7680 x 4320 or 16000 x 9000 window
    long exitAt = -1;         // event at which Exit (or closing the window) happens, -1 never
    bool exitByClose = false;
    bool palette = false;     // a 256-colour display, where the game selects its own palette (headless only)
    bool realWindow = false;  // the Qt window on the offscreen platform instead of the headless host
    bool trace = false;       // print every event as it happens
    double watchdogSeconds = 20;   // no event for this long: the run is stuck, fail with the trace
};

struct MonkeyReport {
    long events = 0;          // top-level and delivered-in-a-step events together
    long nestedEvents = 0;
    long ticks = 0;
    long finishedBuilds = 0;
    long steps = 0;           // successful walking steps
    long exitsReached = 0;
    long walksInterrupted = 0;   // marked-route walks cut short by an event that changed the game
    long hugeResizes = 0;
    int maxStepDepth = 0;
    std::string failure;      // empty when every check held
};

// Fails a run that stops making progress (a modal loop nobody answers, an endless loop): after
// `seconds` without a Beat it prints what `describe` says and ends the process, so a test run
// fails with the seed, the event and the last events instead of hanging until an outer timeout.
class Watchdog {
public:
    Watchdog(double seconds, std::function<std::string()> describe);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    void Beat() { beats_.fetch_add(1, std::memory_order_relaxed); }

private:
    std::atomic<long> beats_{0};
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::thread thread_;
};

class Monkey {
public:
    explicit Monkey(const MonkeyOptions& options);
    MonkeyReport Run();

private:
    enum class Kind {
        Tick, RunToEnd, Key, WalkOpen, WalkSolution, ActionMenu, StyleMenu, HelpMenu, Scroll, Drag, Resize,
        Minimize, Restore, Repaint, Post, Exit
    };
    Kind PickKind(bool nested);
    void Do(Kind kind, bool nested);
    void Tick();
    void PressKey(int key);
    void ResizeRandomly();
    void OnDoEvents();
    bool Check(bool topLevel);
    bool Fail(const std::string& what);
    // The last events, oldest first, for a failure or a stuck run.
    std::string RecentEvents();
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    MonkeyOptions options_;
    std::mt19937_64 rng_;
    std::unique_ptr<HostDriver> driver_;
    HostDriver& d_;
    FormHost& host_;
    FrmMain& form_;
    MonkeyReport report_;
    long eventIndex_ = 0;
    const char* lastKind_ = "";
    int stepDepth_ = 0;
    bool nestedTickAllowed_ = false;   // a modal box's loop may fire the timer inside a step
    bool exited_ = false;
    bool wasFinished_ = false;
    std::atomic<long> eventShown_{0};   // eventIndex_ as the watchdog's thread may read it
    std::mutex recentMutex_;
    std::array<std::string, 24> recent_;
    size_t recentCount_ = 0;
    std::unique_ptr<Watchdog> watchdog_;
};

}  // namespace quivra::robustness
