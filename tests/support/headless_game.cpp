// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/headless_game.h"

namespace quivra::test {

HeadlessGame::HeadlessGame(int width, int height, ScreenCaps caps) : host(width, height, caps), form(host) {}

SquareGame::SquareGame(int width, int height, ScreenCaps caps) : HeadlessGame(width, height, caps) {
    host.Show();
    host.RunTimer();
}

HoneycombGame::HoneycombGame(int width, int height) : SquareGame(width, height) {
    form.mnuStyleItem_Click(kHoneycomb);
    host.RunTimer();
}

}  // namespace quivra::test
