// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's eye on a long run of the tool on its own thread: told of every step the progress
// line counts (candidates searched, mazes drawn, solutions written), whatever the terminal.

namespace quivra::tool {

class ReadingWatch {
public:
    // One more of `planned` steps of `what`. May throw to stop the run: every output the run has
    // begun is then removed, and no file it names is changed.
    virtual void Reading(const char* what, long long planned) = 0;

    // The watch of the calling thread, or none.
    static inline thread_local ReadingWatch* current = nullptr;

protected:
    ~ReadingWatch() = default;
};

}  // namespace quivra::tool
