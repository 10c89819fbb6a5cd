// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/candidate_search.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace quivra::detail {

namespace {

// The keeping rule over candidates judged in trial order: a third of the cells, then fewest
// contacts, then longest path; a tie keeps the earlier trial.
class Judge {
public:
    Judge(const Clock& clock, int cellCount, int firstBestContacts, double budget, const SeedDigits& first,
          GenerationReport& report)
        : clock_(clock), cellCount_(cellCount), bestContacts_(firstBestContacts), budget_(budget), first_(first),
          report_(report) {
        report_.bestDigits = first;
        report_.bestTrial = 0;
        report_.trials = 0;
        t0_ = clock_();
    }

    // Takes the next candidate in trial order; returns true when the run is over.
    bool Next(const MazeMeasures& m) {
        const int index = report_.trials;
        if (3 * m.pathLength >= cellCount_ &&
            (m.contacts < bestContacts_ || (m.contacts == bestContacts_ && m.pathLength > bestLength_))) {
            bestContacts_ = m.contacts;
            bestLength_ = m.pathLength;
            report_.bestDigits = SeedAfter(first_, static_cast<uint64_t>(index));
            report_.bestTrial = index;
        }
        ++report_.trials;
        const double elapsed = clock_() - t0_;
        // Written so that a NaN budget or reading also ends the run; a negative time means midnight passed.
        return !(elapsed < budget_) || elapsed < 0;
    }

private:
    const Clock& clock_;
    int cellCount_;
    int bestContacts_;
    int bestLength_ = 0;
    double budget_;
    SeedDigits first_;
    GenerationReport& report_;
    double t0_ = 0;
};

// Finished candidates wait here, by trial index modulo the window, until the calling thread judges
// them; no thread carves more than the window ahead of the judging.
constexpr uint64_t kWindow = 64;

struct alignas(64) Finished {
    std::atomic<uint64_t> tag{0};   // trial index + 1 once measures hold that trial
    MazeMeasures measures;
};

class Workshop {
public:
    explicit Workshop(const SeedDigits& first) : first_(first) {}

    // Hands out the next trial index, or false once the run is over.
    bool Claim(uint64_t& index) {
        if (stop_.load(std::memory_order_acquire)) return false;
        index = next_.fetch_add(1, std::memory_order_relaxed);
        return true;
    }
    void Put(uint64_t index, const MazeMeasures& m) {
        Finished& f = finished_[index % kWindow];
        f.measures = m;
        f.tag.store(index + 1, std::memory_order_release);
    }
    // Judges every finished candidate that is next in trial order; true once the run is over.
    bool JudgeReady(Judge& judge) {
        uint64_t i = judged_.load(std::memory_order_relaxed);
        for (;;) {
            const Finished& f = finished_[i % kWindow];
            if (f.tag.load(std::memory_order_acquire) != i + 1) return false;
            const bool over = judge.Next(f.measures);
            judged_.store(++i, std::memory_order_release);
            if (over) {
                stop_.store(true, std::memory_order_release);
                return true;
            }
        }
    }
    // Whether `index` may be carved now: its place in the window is free once the trial a window
    // before it is judged.
    bool InWindow(uint64_t index) const { return index < judged_.load(std::memory_order_acquire) + kWindow; }
    bool Stopped() const { return stop_.load(std::memory_order_acquire); }
    void Stop() { stop_.store(true, std::memory_order_release); }
    SeedDigits Seed(uint64_t index) const { return SeedAfter(first_, index); }

    // A worker thread: trials in the order handed out, until the run is over.
    void Work(TrialRunner& trial) {
        uint64_t index;
        while (Claim(index)) {
            while (!InWindow(index)) {
                if (Stopped()) return;
                std::this_thread::yield();
            }
            Put(index, trial.Run(Seed(index)));
        }
    }

private:
    SeedDigits first_;
    alignas(64) std::atomic<uint64_t> next_{0};     // next trial index to hand out
    alignas(64) std::atomic<uint64_t> judged_{0};   // trials judged so far
    alignas(64) std::atomic<bool> stop_{false};
    std::array<Finished, kWindow> finished_;
};

// Stops the run and waits for every extra thread, on every way out.
class Crew {
public:
    explicit Crew(Workshop& shop) : shop_(shop) {}
    ~Crew() {
        shop_.Stop();
        for (std::thread& t : threads_) t.join();
    }
    Crew(const Crew&) = delete;
    Crew& operator=(const Crew&) = delete;

    void Hire(const TrialFactory& makeTrial) {
        threads_.emplace_back([this, &makeTrial] {
            std::unique_ptr<TrialRunner> trial;
            try {
                trial = makeTrial();
            } catch (const std::bad_alloc&) {
                return;   // no room for another work grid: the others carry on
            }
            shop_.Work(*trial);
        });
    }

private:
    Workshop& shop_;
    std::vector<std::thread> threads_;
};

}  // namespace

SeedDigits SeedAfter(const SeedDigits& first, uint64_t index) {
    // The odometer is counting modulo 10^8 with d1 least significant.
    uint64_t n = 0;
    for (int k = 7; k >= 0; --k) n = n * 10 + first[k];
    n = (n + index % 100'000'000u) % 100'000'000u;
    SeedDigits d;
    for (int k = 0; k < 8; ++k, n /= 10) d[k] = static_cast<uint8_t>(n % 10);
    return d;
}

int SearchThreads(int threads) {
    if (threads > 0) return threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(std::min(cores, 1024u)) : 1;
}

GenerationReport ChooseBestCandidate(const MixTable& mixTableA, const MixTable& mixTableB, const Clock& clock,
                                     std::string_view seedText, int cellCount, int firstBestContacts,
                                     double budget, int threads, TrialRunner& own, const TrialFactory& makeTrial,
                                     size_t bytesPerTrial) {
    SeedDigits first = SeedDigitsFromText(seedText);
    MixDigits(mixTableA, mixTableB, first);
    GenerationReport report;
    Judge judge(clock, cellCount, firstBestContacts, budget, first, report);

    // A budget that is not above zero makes exactly one trial: no helpers for that.
    threads = budget > 0 ? SearchThreads(threads) : 1;
    // Huge grids on many cores: a work grid each could exhaust memory; keep the helpers' share bounded.
    constexpr size_t kHelperMemory = size_t{512} << 20;
    const size_t helpers = kHelperMemory / std::max<size_t>(bytesPerTrial, 1);
    threads = static_cast<int>(std::min<size_t>(static_cast<size_t>(threads), helpers + 1));
    if (threads == 1) {
        for (uint64_t i = 0;; ++i) {
            if (judge.Next(own.Run(SeedAfter(first, i)))) break;
        }
        return report;
    }

    Workshop shop(first);
    Crew crew(shop);
    for (int t = 1; t < threads; ++t) {
        try {
            crew.Hire(makeTrial);
        } catch (const std::system_error&) {
            break;   // no more threads to be had: carry on with those there are
        }
    }
    // The calling thread carves too, and judges whatever is next in order after each of its trials.
    uint64_t index;
    while (shop.Claim(index)) {
        while (!shop.InWindow(index)) {
            if (shop.JudgeReady(judge)) return report;
            std::this_thread::yield();
        }
        shop.Put(index, own.Run(shop.Seed(index)));
        if (shop.JudgeReady(judge)) return report;
    }
    return report;
}

}  // namespace quivra::detail
