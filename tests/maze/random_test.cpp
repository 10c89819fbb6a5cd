// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "maze/random.h"

namespace quivra {
namespace {

using D = SeedDigits;

TEST(DecimalRandom, MixTablesSubstitutePairsOneToOne) {
    MixTable a, b;
    FillMixTables(b, a);
    std::set<int> pairs;
    std::array<int, 10> count{};
    for (int k = 0; k < 100; ++k) {
        pairs.insert(10 * a[k] + b[k]);
        ++count[a[k]], count[b[k]] += 100;
    }
    EXPECT_EQ(pairs.size(), 100u);
    for (int c : count) EXPECT_EQ(c, 10 + 10 * 100);   // every digit ten times in each table
}

TEST(DecimalRandom, DigitsMixingAndOdometer) {
    MixTable a, b;
    FillMixTables(b, a);
    D d = SeedDigitsFromText(" 43200.5");
    EXPECT_EQ(d, (D{2, 2, 1, 0, 8, 8, 6, 3}));
    EXPECT_EQ(SeedDigitsFromText(" 43200.52"), d);   // only eight characters count
    MixDigits(a, b, d);
    EXPECT_EQ(d, (D{3, 3, 7, 8, 2, 7, 1, 9}));
    IncrementDigits(d);
    EXPECT_EQ(d, (D{4, 3, 7, 8, 2, 7, 1, 9}));

    d = SeedDigitsFromText(" 5");
    EXPECT_EQ(d, (D{8, 8, 8, 8, 8, 8, 2, 3}));
    MixDigits(a, b, d);
    EXPECT_EQ(d, (D{3, 3, 9, 1, 3, 7, 9, 6}));
    d = SeedDigitsFromText("");
    EXPECT_EQ(d, (D{8, 8, 8, 8, 8, 8, 8, 8}));
    MixDigits(a, b, d);
    EXPECT_EQ(d, (D{7, 5, 1, 8, 0, 6, 7, 2}));

    d = {9, 9, 3, 0, 0, 0, 0, 0};
    IncrementDigits(d);
    EXPECT_EQ(d, (D{0, 0, 4, 0, 0, 0, 0, 0}));
    d.fill(9);
    IncrementDigits(d);
    EXPECT_EQ(d, D{});
}

TEST(DecimalRandom, RegisterDraws) {
    Register reg = RegisterFromSeed(D{3, 3, 7, 8, 2, 7, 1, 9});
    EXPECT_EQ(reg.w, (std::array<int, 8>{4, 4, 8, 9, 3, 8, 2, 10}));
    for (int expected : {19, 5, 6, 4, 28, 24}) EXPECT_EQ(NextRegisterValue(reg, 29), expected);
    EXPECT_EQ(reg.w, (std::array<int, 8>{2, 10, 19, 5, 6, 4, 28, 24}));   // newest at the top
}

TEST(DecimalRandom, SeedTextIsABasicSingle) {
    EXPECT_EQ(SeedTextFromSeconds(43200.52), " 43200.52");
    EXPECT_EQ(SeedTextFromSeconds(0), " 0");
    EXPECT_EQ(SeedTextFromSeconds(5), " 5");
    EXPECT_EQ(SeedTextFromSeconds(12345.678), " 12345.68");
    EXPECT_EQ(SeedTextFromSeconds(86399.999), " 86400");     // rounds to the single 86400
    EXPECT_EQ(SeedTextFromSeconds(86399.996), " 86399.99");  // the single 86399.9921875
    EXPECT_EQ(SeedTextFromSeconds(0.25), " .25");            // no zero before the point
    EXPECT_EQ(SeedTextFromSeconds(-1.5), "-1.5");
    EXPECT_EQ(SeedTextFromSeconds(123456789.0), " 1.234568E+08");
}

}  // namespace
}  // namespace quivra
