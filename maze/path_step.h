// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace quivra {

// One entry of a generator's depth-first stack and, after solving, of the correct path:
// slot is the try-slot (carving) or the base direction of a step (solved path).
struct PathStep {
    uint8_t slot = 0;
    int16_t order = 0;
};
using PathSteps = std::vector<PathStep>;   // dimensioned 0 To cellCount

// Seconds since midnight, with a fraction. The generators' budget is measured with it.
using Clock = std::function<double()>;

}  // namespace quivra
