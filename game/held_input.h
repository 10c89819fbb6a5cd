// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys and clicks that came while the scene of a game the player is in was being drawn again:
// kept in order, a few dozen at most, to be taken once the drawing is finished.
#include <cstddef>
#include <vector>

#include "game/game.h"

namespace quivra {

struct HeldEvent {
    enum class Kind { Key, Point };
    Kind kind = Kind::Key;
    int keyCode = 0;
    double x = 0, y = 0;   // a point of the drawing area, logical pixels

    static HeldEvent Key(int code) { return {Kind::Key, code, 0, 0}; }
    static HeldEvent Point(double px, double py) { return {Kind::Point, 0, px, py}; }
    bool operator==(const HeldEvent&) const = default;
};

class HeldInput {
public:
    // More than this is not typing ahead but a key held down: the rest is dropped.
    static constexpr size_t kLimit = 32;

    // False when full: the event is dropped.
    bool Push(const HeldEvent& event);
    // Everything held, oldest first; none left.
    std::vector<HeldEvent> Take();
    void Clear() { events_.clear(); }
    size_t Size() const { return events_.size(); }

private:
    std::vector<HeldEvent> events_;
};

// A key some view walks or turns by (another style's key too: it beeps when taken).
bool IsWalkingKey(const Game& g, int keyCode);

}  // namespace quivra
