// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM (a logout, a shutdown), SIGHUP and SIGINT end the game as its Quit does, in the event
// loop, so that the game is kept: the handler only writes the signal's number to a socket pair,
// and a notifier on the other end calls `quit` there.
#include <functional>

class QObject;

namespace quivra {

// False when the socket pair or a handler could not be set up (the signals then end the process
// as they always did). A signal the caller ignores stays ignored.
bool QuitOnSignals(QObject* owner, std::function<void()> quit);

}  // namespace quivra
