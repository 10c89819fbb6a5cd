// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

namespace quivra {

namespace {

int writeEnd = -1;

void OnSignal(int signo) {
    const int saved = errno;
    const char byte = static_cast<char>(signo);
    // Async-signal-safe: one write to a non-blocking socket; a full socket already holds a quit.
    [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

bool QuitOnSignals(QObject* owner, std::function<void()> quit) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return false;
    writeEnd = ends[0];
    auto* notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [readEnd = ends[1], quit = std::move(quit)] {
        char bytes[16];
        while (::read(readEnd, bytes, sizeof bytes) > 0) {
        }
        quit();
    });
    bool all = true;
    for (const int signo : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction old {};
        if (::sigaction(signo, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;   // nohup's choice stays
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        all = ::sigaction(signo, &action, nullptr) == 0 && all;
    }
    return all;
}

}  // namespace quivra
