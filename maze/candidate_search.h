// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to maze/: the search for the best candidate, shared by both styles, on one thread or
// on several. Candidate seeds are consecutive odometer values, so any thread can carve any of them;
// the calling thread judges them in trial order and alone reads the clock, once per judged
// candidate, so the choice and the number of candidates are those of the one-thread search for
// the same clock readings. Candidates carved past the stop are thrown away.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "maze/path_step.h"
#include "maze/random.h"
#include "maze/square_maze.h"

namespace quivra::detail {

// Carves and measures one candidate with its own work grid and stack.
class TrialRunner {
public:
    virtual ~TrialRunner() = default;
    virtual MazeMeasures Run(const SeedDigits& seed) = 0;
};
// Makes the trial runner of one extra thread, on that thread.
using TrialFactory = std::function<std::unique_ptr<TrialRunner>()>;

// The candidate seed `index` places after `first` on the odometer.
SeedDigits SeedAfter(const SeedDigits& first, uint64_t index);

// The number of threads a search uses: 0 means every core; never below 1.
int SearchThreads(int threads);

// Fills bestDigits, bestTrial and trials of the report; the caller carves the chosen seed again.
// `own` runs on the calling thread; every other thread makes a trial of bytesPerTrial bytes, and
// no more threads are started than fit in a fixed amount of memory.
GenerationReport ChooseBestCandidate(const MixTable& mixTableA, const MixTable& mixTableB, const Clock& clock,
                                     std::string_view seedText, int cellCount, int firstBestContacts,
                                     double budget, int threads, TrialRunner& own, const TrialFactory& makeTrial,
                                     size_t bytesPerTrial);

}  // namespace quivra::detail
