// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress of a long candidate search, shown on a terminal only, so that pipes, files and the
// tests see nothing. One line, rewritten in place and erased at the end.
#include <chrono>

namespace quivra::tool {

class Progress {
public:
    // fd: where to show it (nothing unless it is a terminal). With trials >= 0 that many
    // candidates are planned (0 still makes one); otherwise the search lasts `budget` seconds.
    // The first `readingsBefore` clock readings come before the first candidate. `what` names
    // what is counted (a booklet counts mazes).
    Progress(int fd, long long trials, double budget, int readingsBefore, const char* what = "candidates");
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // The search read its clock: one more candidate done, after the first readings.
    void Reading();

private:
    void Show(long long done, double elapsed);

    int fd_ = -1;
    const char* what_;
    long long trials_;
    double budget_;
    long long readingsBefore_;
    long long readings_ = 0;
    long long nextCheck_ = 1;
    double nextShow_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace quivra::tool
