// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/directions.h"

#include <algorithm>
#include <numeric>

namespace quivra {

namespace {

// Order 0 holds the base steps; order p is the p-th permutation in lexicographic order,
// read as "slot t[i] receives direction i".
template <int Slots, int Orders>
void FillOrders(StepTable<Slots, Orders>& tx, StepTable<Slots, Orders>& ty, const int (&baseX)[Slots],
                const int (&baseY)[Slots]) {
    for (int s = 0; s < Slots; ++s) {
        tx[s][0] = static_cast<int16_t>(baseX[s]);
        ty[s][0] = static_cast<int16_t>(baseY[s]);
    }
    std::array<int, Slots> t;
    std::iota(t.begin(), t.end(), 0);
    int p = 0;
    do {
        for (int dir = 0; dir < Slots; ++dir) {
            tx[t[dir]][p] = tx[dir][0];
            ty[t[dir]][p] = ty[dir][0];
        }
        ++p;
    } while (std::next_permutation(t.begin(), t.end()));
}

}  // namespace

void FillSquareStepTables(SquareStepTable& stepX, SquareStepTable& stepY) {
    static constexpr int kX[4] = {-1, 0, 1, 0};
    static constexpr int kY[4] = {0, 1, 0, -1};
    FillOrders<kSquareDirections, kSquareOrders>(stepX, stepY, kX, kY);
}

void FillHexStepTables(HexStepTable& hexStepX, HexStepTable& hexStepY) {
    static constexpr int kX[6] = {-2, -2, 0, 0, 2, 2};
    static constexpr int kY[6] = {-1, 1, -2, 2, -1, 1};
    FillOrders<kHexDirections, kHexOrders>(hexStepX, hexStepY, kX, kY);
}

}  // namespace quivra
