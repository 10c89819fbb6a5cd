// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game checks of its surroundings before Qt starts: Qt aborts with a misleading
// "reinstalling the application may fix this" when it finds no display.

#include <optional>

namespace quivra {

// Qt takes a UTF-8 character set for granted and, where the locale has none (LANG unset, C,
// POSIX), switches to one and says so on stderr. Choosing the UTF-8 form of the locale's character
// type first (LC_CTYPE only: messages, numbers and the language stay) keeps the start quiet. Call it
// before the first QCoreApplication.
void UseUtf8CharacterType();

// Reads the command line (--help and --version print and exit 0; anything else unknown is status 2),
// then checks the display (one line and status 1 without one) and the runtime folder. An exit
// status, or nothing when the game can start.
std::optional<int> CheckBeforeGui(int argc, char** argv);

// True when a platform Qt would pick can open a window: QT_QPA_PLATFORM names one that needs no
// display, or the X server of DISPLAY answers on its local socket (a remote one is trusted), or
// the Wayland socket exists and Qt's Wayland plugin is installed.
bool GraphicalSessionReachable();

// Points XDG_RUNTIME_DIR at a private folder (ours, mode 0700) when it is unset or unusable, so Qt
// does not warn about it.
void EnsurePrivateRuntimeDir();

}  // namespace quivra
