// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/held_input.h"

#include <utility>

namespace quivra {

bool HeldInput::Push(const HeldEvent& event) {
    if (events_.size() >= kLimit) return false;
    events_.push_back(event);
    return true;
}

std::vector<HeldEvent> HeldInput::Take() {
    std::vector<HeldEvent> taken = std::move(events_);
    events_.clear();
    return taken;
}

bool IsWalkingKey(const Game& g, int keyCode) {
    return g.Rules().keyDirection(keyCode) != kNotAKey || FirstPersonKeyOf(keyCode) != FirstPersonKey::None;
}

}  // namespace quivra
