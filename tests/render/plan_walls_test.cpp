// SPDX-License-Identifier: GPL-3.0-or-later
// The plan's walls lie evenly over their lines: an even pen width at every scale.
#include <gtest/gtest.h>

#include "render/plan_view.h"

namespace quivra {
namespace {

TEST(PlanWalls, AnEvenWidthOfAnEighthOfACellAtLeastTwo) {
    const std::pair<double, int> cases[] = {{1, 2},  {8, 2},  {16, 2},  {24, 2},   {31.9, 2},
                                            {32, 4}, {40, 4}, {56, 6},  {100, 12}, {200, 24}};
    for (const auto& [scale, width] : cases) EXPECT_EQ(PlanWallWidth(scale), width) << scale;
}

}  // namespace
}  // namespace quivra
