// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game state record the main window owns. Its definition sits in render/ (scene_state.h), below
// the window, because the scene builders draw from it; the window's code includes it from here.
#include "render/scene_state.h"
