// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock for runs that must repeat exactly (the tests, the tool): every reading returns the time
// it was set to plus one step per earlier reading, wrapped at midnight. With the step a little
// above budget / trials, a generation stops after exactly that many candidates.
#include <cmath>
#include <cstdint>

#include "game/window_design.h"

namespace quivra {

class ScriptedClock {
public:
    // Every reading returns now, then advances it by step.
    void Set(double now, double step) {
        start_ = now;
        step_ = step;
        readings_ = 0;
    }
    double Read() {
        const double now = start_ + static_cast<double>(readings_++) * step_;
        return now >= 86400.0 ? std::fmod(now, 86400.0) : now;
    }
    int64_t Readings() const { return readings_; }

    // The step that makes a generation run exactly `trials` candidates (0 still makes one): the
    // generator reads the clock once before the first candidate and once after each.
    static double StepForTrials(int trials) {
        if (trials <= 1) return 1.0;
        return kGenerationBudget / (trials - 0.5);
    }

private:
    double start_ = 43200.52;
    double step_ = 1.0;   // one candidate per generation unless asked for more
    int64_t readings_ = 0;
};

}  // namespace quivra
