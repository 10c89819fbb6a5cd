// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "maze/directions.h"

namespace quivra {
namespace {

// The directions found in slots 0.. of one order, recovered from their steps.
template <class Table>
std::vector<int> Directions(const Table& tx, const Table& ty, int order) {
    std::vector<int> dirs;
    for (size_t slot = 0; slot < tx.size(); ++slot) {
        for (size_t d = 0; d < tx.size(); ++d) {
            if (tx[d][0] == tx[slot][order] && ty[d][0] == ty[slot][order]) dirs.push_back(static_cast<int>(d));
        }
    }
    return dirs;
}

TEST(DirectionTables, SquareOrders) {
    SquareStepTable sx, sy;
    FillSquareStepTables(sx, sy);
    EXPECT_EQ(sx[0][0], -1);
    EXPECT_EQ(sy[1][0], 1);
    EXPECT_EQ(sx[2][0], 1);
    EXPECT_EQ(sy[3][0], -1);
    const char* listed[24] = {"0123", "0132", "0213", "0312", "0231", "0321", "1023", "1032",
                              "2013", "3012", "2031", "3021", "1203", "1302", "2103", "3102",
                              "2301", "3201", "1230", "1320", "2130", "3120", "2310", "3210"};
    for (int order = 0; order < 24; ++order) {
        std::vector<int> expected;
        for (const char* c = listed[order]; *c; ++c) expected.push_back(*c - '0');
        EXPECT_EQ(Directions(sx, sy, order), expected) << "order " << order;
    }
}

TEST(DirectionTables, HexOrders) {
    HexStepTable hx, hy;
    FillHexStepTables(hx, hy);
    const int base[6][2] = {{-2, -1}, {-2, 1}, {0, -2}, {0, 2}, {2, -1}, {2, 1}};
    for (int d = 0; d < 6; ++d) EXPECT_TRUE(hx[d][0] == base[d][0] && hy[d][0] == base[d][1]) << d;
    const std::pair<int, std::vector<int>> listed[] = {
        {1, {0, 1, 2, 3, 5, 4}},   {2, {0, 1, 2, 4, 3, 5}},   {3, {0, 1, 2, 5, 3, 4}},   {4, {0, 1, 2, 4, 5, 3}},
        {5, {0, 1, 2, 5, 4, 3}},   {6, {0, 1, 3, 2, 4, 5}},   {119, {0, 5, 4, 3, 2, 1}}, {120, {1, 0, 2, 3, 4, 5}},
        {360, {1, 2, 3, 0, 4, 5}}, {718, {4, 5, 3, 2, 1, 0}}, {719, {5, 4, 3, 2, 1, 0}}};
    for (const auto& [order, dirs] : listed) EXPECT_EQ(Directions(hx, hy, order), dirs) << "order " << order;
    std::set<std::vector<int>> distinct;
    for (int order = 0; order < 720; ++order) {
        std::vector<int> dirs = Directions(hx, hy, order);
        distinct.insert(dirs);
        std::sort(dirs.begin(), dirs.end());
        EXPECT_EQ(dirs, (std::vector<int>{0, 1, 2, 3, 4, 5})) << "order " << order;
    }
    EXPECT_EQ(distinct.size(), 720u);
}

}  // namespace
}  // namespace quivra
