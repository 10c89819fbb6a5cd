// SPDX-License-Identifier: GPL-3.0-or-later
// Random events on the headless host and on the real window, checked after every one. QUIVRA_MONKEY_EVENTS sets the
// length of the long run (a few thousand by default, so the suite stays quick), QUIVRA_MONKEY_SEED
// its seed, QUIVRA_MONKEY_HUGE=1 adds 7680 x 4320 and 16000 x 9000 windows, QUIVRA_MONKEY_TRACE=1
// prints every event, QUIVRA_MONKEY_WATCHDOG the seconds without progress after which a run fails
// (default 20). scripts/monkey-seeds.sh runs many seeds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/robustness/monkey.h"

namespace quivra::robustness {
namespace {

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// What every run takes from the environment.
MonkeyOptions FromEnvironment() {
    MonkeyOptions o;
    o.trace = EnvNumber("QUIVRA_MONKEY_TRACE", 0) != 0;
    o.watchdogSeconds = static_cast<double>(EnvNumber("QUIVRA_MONKEY_WATCHDOG", 20));
    return o;
}

void Print(const char* name, const MonkeyOptions& o, const MonkeyReport& r) {
    std::printf("%s: seed %llu, %ld events (%ld inside build steps), %ld ticks, %ld finished builds, %ld steps, "
                "%ld exits, %ld walks cut short, %ld huge windows, deepest step nesting %d\n",
                name, static_cast<unsigned long long>(o.seed), r.events, r.nestedEvents, r.ticks, r.finishedBuilds,
                r.steps, r.exitsReached, r.walksInterrupted, r.hugeResizes, r.maxStepDepth);
}

TEST(Monkey, RandomEventsKeepTheGameConsistent) {
    MonkeyOptions o = FromEnvironment();
    o.seed = static_cast<uint64_t>(EnvNumber("QUIVRA_MONKEY_SEED", 20261207));
    o.events = EnvNumber("QUIVRA_MONKEY_EVENTS", 3000);
    o.huge = EnvNumber("QUIVRA_MONKEY_HUGE", 0) != 0;
    o.palette = o.seed % 2 == 1;   // odd seeds play on a palette display
    const MonkeyReport r = Monkey(o).Run();
    Print(o.palette ? "monkey (palette display)" : "monkey", o, r);
    EXPECT_EQ(r.failure, "");
    // The run must have exercised what it claims to.
    EXPECT_GE(r.events, o.events);
    EXPECT_GT(r.nestedEvents, 0);
    EXPECT_GT(r.finishedBuilds, 0);
    EXPECT_GT(r.steps, 0);
}

TEST(Monkey, ExitOrCloseAtAnyMoment) {
    const uint64_t base = static_cast<uint64_t>(EnvNumber("QUIVRA_MONKEY_SEED", 20261207));
    const long runs = std::max(8L, EnvNumber("QUIVRA_MONKEY_EVENTS", 3000) / 100);
    long total = 0;
    for (long i = 0; i < runs; ++i) {
        MonkeyOptions o = FromEnvironment();
        o.seed = base + 1000 + static_cast<uint64_t>(i);
        o.events = 200;
        o.exitAt = static_cast<long>((o.seed * 7919) % 200);
        o.exitByClose = i % 2 == 1;
        o.palette = i % 4 >= 2;
        const MonkeyReport r = Monkey(o).Run();
        total += r.events;
        ASSERT_EQ(r.failure, "") << "run " << i;
    }
    std::printf("exit runs: %ld runs, %ld events\n", runs, total);
}

// The real window through Qt's own events: triggered actions, key events to the window, resizes,
// minimise and restore, scroll bar actions and timer events. A third of the headless length.
TEST(Monkey, RealWindowThroughQtEvents) {
    const uint64_t base = static_cast<uint64_t>(EnvNumber("QUIVRA_MONKEY_SEED", 20261207));
    const long events = std::max(100L, EnvNumber("QUIVRA_MONKEY_EVENTS", 3000) / 3);
    for (int i = 0; i < 3; ++i) {
        MonkeyOptions o = FromEnvironment();
        o.realWindow = true;
        o.seed = base + 2000 + static_cast<uint64_t>(i);
        o.events = i == 0 ? events : events / 4;
        if (i > 0) o.exitAt = static_cast<long>((o.seed * 7919) % o.events);
        o.exitByClose = i == 2;
        const MonkeyReport r = Monkey(o).Run();
        Print("monkey (real window)", o, r);
        ASSERT_EQ(r.failure, "") << "run " << i;
        if (i == 0) {
            EXPECT_GT(r.nestedEvents, 0);
            EXPECT_GT(r.finishedBuilds, 0);
            EXPECT_GT(r.steps, 0);
        }
    }
}

}  // namespace
}  // namespace quivra::robustness
