// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/progress.h"
#include "tools/tool_cli.h"
#include "tools/reading_watch.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace quivra::tool {

namespace {

constexpr double kFirstShow = 0.5;      // seconds: a quick run shows nothing
constexpr double kShowInterval = 0.25;  // seconds between updates
constexpr double kChecksPerSecond = 100;

// Best effort: the line is a courtesy, a failed write of it is no reason to stop the work.
void WriteAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

std::string Duration(double seconds) {
    const long long s = static_cast<long long>(std::max(0.0, seconds) + 0.5);
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

}  // namespace

Progress::Progress(int fd, long long trials, double budget, int readingsBefore, const char* what)
    : fd_(fd >= 0 && isatty(fd) ? fd : -1),
      what_(what),
      trials_(trials < 0 ? -1 : std::max(trials, 1LL)),
      budget_(budget),
      readingsBefore_(readingsBefore),
      nextShow_(kFirstShow),
      start_(std::chrono::steady_clock::now()) {}

Progress::~Progress() {
    if (shown_) WriteAll(fd_, "\r\x1b[K");
}

void Progress::Reading() {
    if (ReadingWatch::current) ReadingWatch::current->Reading(what_, trials_);
    if (fd_ < 0 || ++readings_ < nextCheck_) return;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const long long done = std::max(0LL, readings_ - readingsBefore_);
    // Look at the clock about kChecksPerSecond times a second, however fast the candidates come.
    const double perCheck = elapsed > 0 ? done / elapsed / kChecksPerSecond : 1;
    nextCheck_ = readings_ + static_cast<long long>(std::clamp(perCheck, 1.0, 1e6));
    if (elapsed < nextShow_) return;
    nextShow_ = elapsed + kShowInterval;
    Show(trials_ < 0 ? done : std::min(done, trials_), elapsed);
}

void Progress::Show(long long done, double elapsed) {
    const double rate = done / elapsed;
    char text[160];
    const int n = trials_ < 0 ? std::snprintf(text, sizeof text, "\r%lld %s", done, what_)
                              : std::snprintf(text, sizeof text, "\r%lld of %lld %s", done, trials_, what_);
    std::string line(text, static_cast<size_t>(n));
    line += ", " + Decimal(rate, rate < 10 ? 1 : 0) + "/s";
    if (trials_ < 0) {
        line += ", " + Duration(budget_ - elapsed) + " left";
    } else if (done > 0) {
        line += ", " + Duration((trials_ - done) / rate) + " left";
    }
    line += "\x1b[K";
    WriteAll(fd_, line);
    shown_ = true;
}

}  // namespace quivra::tool
