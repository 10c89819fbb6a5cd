#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "maze/directions.h"

namespace quivra {
namespace {

// The direction found in `slot` of `order`, recovered from its steps.
template <class Table, int N>
int DirectionAt(const Table& tx, const Table& ty, int slot, int order) {
    for (int d = 0; d < N; ++d) {
        if (tx[d][0] == tx[slot][order] && ty[d][0] == ty[slot][order]) return d;
    }
    return -1;
}

TEST(DirectionTables, SquareOrdersMatchTheTable) {
    SquareStepTable sx, sy;
    FillSquareStepTables(sx, sy);
    const int base[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(sx[d][0], base[d][0]);
        EXPECT_EQ(sy[d][0], base[d][1]);
    }
    const int orders[24][4] = {
        {0, 1, 2, 3}, {0, 1, 3, 2}, {0, 2, 1, 3}, {0, 3, 1, 2}, {0, 2, 3, 1}, {0, 3, 2, 1},
        {1, 0, 2, 3}, {1, 0, 3, 2}, {2, 0, 1, 3}, {3, 0, 1, 2}, {2, 0, 3, 1}, {3, 0, 2, 1},
        {1, 2, 0, 3}, {1, 3, 0, 2}, {2, 1, 0, 3}, {3, 1, 0, 2}, {2, 3, 0, 1}, {3, 2, 0, 1},
        {1, 2, 3, 0}, {1, 3, 2, 0}, {2, 1, 3, 0}, {3, 1, 2, 0}, {2, 3, 1, 0}, {3, 2, 1, 0},
    };
    for (int order = 0; order < 24; ++order) {
        for (int slot = 0; slot < 4; ++slot) {
            EXPECT_EQ((DirectionAt<SquareStepTable, 4>(sx, sy, slot, order)), orders[order][slot])
                << "order " << order << " slot " << slot;
        }
    }
}

TEST(DirectionTables, HexOrdersArePermutationsInTheListedSequence) {
    HexStepTable hx, hy;
    FillHexStepTables(hx, hy);
    const int base[6][2] = {{-2, -1}, {-2, 1}, {0, -2}, {0, 2}, {2, -1}, {2, 1}};
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(hx[d][0], base[d][0]);
        EXPECT_EQ(hy[d][0], base[d][1]);
    }
    const struct {
        int order;
        int slots[6];
    } listed[] = {
        {0, {0, 1, 2, 3, 4, 5}},   {1, {0, 1, 2, 3, 5, 4}},   {2, {0, 1, 2, 4, 3, 5}},
        {3, {0, 1, 2, 5, 3, 4}},   {4, {0, 1, 2, 4, 5, 3}},   {5, {0, 1, 2, 5, 4, 3}},
        {6, {0, 1, 3, 2, 4, 5}},   {119, {0, 5, 4, 3, 2, 1}}, {120, {1, 0, 2, 3, 4, 5}},
        {360, {1, 2, 3, 0, 4, 5}}, {718, {4, 5, 3, 2, 1, 0}}, {719, {5, 4, 3, 2, 1, 0}},
    };
    for (const auto& l : listed) {
        for (int slot = 0; slot < 6; ++slot) {
            EXPECT_EQ((DirectionAt<HexStepTable, 6>(hx, hy, slot, l.order)), l.slots[slot])
                << "order " << l.order << " slot " << slot;
        }
    }
    std::set<std::array<int, 6>> distinct;
    for (int order = 0; order < 720; ++order) {
        std::array<int, 6> dirs;
        for (int slot = 0; slot < 6; ++slot) dirs[slot] = DirectionAt<HexStepTable, 6>(hx, hy, slot, order);
        distinct.insert(dirs);
        std::sort(dirs.begin(), dirs.end());
        EXPECT_EQ(dirs, (std::array<int, 6>{0, 1, 2, 3, 4, 5})) << "order " << order;
    }
    EXPECT_EQ(distinct.size(), 720u);
}

}  // namespace
}  // namespace quivra
