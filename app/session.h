// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game checks of its surroundings before Qt starts: Qt aborts with a misleading
// "reinstalling the application may fix this" when it finds no display.

#include <optional>
#include <string>

#include "game/maze_sizes.h"
#include "maze/maze_code.h"

namespace quivra {

// How the command line asks the game to start: a code's maze (--code), cells of one's own
// (--cells X Y), or the kept game (--resume).
struct StartRequest {
    std::optional<NamedMaze> code;
    std::optional<SizeChoice> cells;
    bool resume = false;
    std::string view;   // --view: overview, first-person or plan
};

// Reads the command line (--help and --version print and exit 0; a maze code that cannot be played,
// cells the square style cannot have and anything else unknown are one line and status 2), then
// checks the display (one line and status 1 without one) and the runtime folder. An exit status, or
// nothing when the game can start as `start` says (and in the view --view names).
std::optional<int> CheckBeforeGui(int argc, char** argv, StartRequest& start);

// True when a platform Qt would pick can open a window: QT_QPA_PLATFORM names one that needs no
// display, or the X server of DISPLAY answers on its local socket (a remote one is trusted), or
// the Wayland socket exists and Qt's Wayland plugin is installed.
bool GraphicalSessionReachable();

// Points XDG_RUNTIME_DIR at a private folder (ours, mode 0700) when it is unset or unusable, so Qt
// does not warn about it.
void EnsurePrivateRuntimeDir();

}  // namespace quivra
