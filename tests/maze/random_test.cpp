#include <gtest/gtest.h>

#include <set>

#include "maze/random.h"

namespace quivra {
namespace {

using D = SeedDigits;

struct Mix {
    MixTable a, b;
    Mix() { FillMixTables(b, a); }
};

TEST(MixTables, SubstitutionIsAPermutationOfPairs) {
    const Mix t;
    std::set<int> pairs;
    std::array<int, 10> countA{}, countB{};
    for (int k = 0; k < 100; ++k) {
        ++countA[t.a[k]];
        ++countB[t.b[k]];
        pairs.insert(10 * t.a[k] + t.b[k]);
    }
    EXPECT_EQ(pairs.size(), 100u);
    for (int digit = 0; digit < 10; ++digit) {
        EXPECT_EQ(countA[digit], 10);
        EXPECT_EQ(countB[digit], 10);
    }
    // Spot checks against the printed tables (row hi, column lo).
    EXPECT_EQ(t.a[0], 1);
    EXPECT_EQ(t.a[99], 5);
    EXPECT_EQ(t.b[57], 4);
    EXPECT_EQ(t.a[34], 8);
}

TEST(SeedDigits, FromTextMixAndIncrement) {
    const Mix t;
    D d = SeedDigitsFromText(" 43200.5");
    EXPECT_EQ(d, (D{2, 2, 1, 0, 8, 8, 6, 3}));
    EXPECT_EQ(SeedDigitsFromText(" 43200.52"), d);   // only eight characters count
    MixDigits(t.a, t.b, d);
    EXPECT_EQ(d, (D{3, 3, 7, 8, 2, 7, 1, 9}));
    IncrementDigits(d);
    EXPECT_EQ(d, (D{4, 3, 7, 8, 2, 7, 1, 9}));

    d = SeedDigitsFromText(" 5");
    EXPECT_EQ(d, (D{8, 8, 8, 8, 8, 8, 2, 3}));
    MixDigits(t.a, t.b, d);
    EXPECT_EQ(d, (D{3, 3, 9, 1, 3, 7, 9, 6}));

    d = SeedDigitsFromText("");
    EXPECT_EQ(d, (D{8, 8, 8, 8, 8, 8, 8, 8}));
    MixDigits(t.a, t.b, d);
    EXPECT_EQ(d, (D{7, 5, 1, 8, 0, 6, 7, 2}));

    d = {9, 9, 3, 0, 0, 0, 0, 0};
    IncrementDigits(d);
    EXPECT_EQ(d, (D{0, 0, 4, 0, 0, 0, 0, 0}));
    d.fill(9);
    IncrementDigits(d);
    EXPECT_EQ(d, D{});
}

TEST(SeedDigits, MixOfNeighbouringStatesNeverCollides) {
    // The odometer walks through states that differ in few digits: those must all mix apart.
    const Mix t;
    std::set<D> seen;
    D d = SeedDigitsFromText(" 43200.5");
    for (int i = 0; i < 20000; ++i) {
        D mixed = d;
        MixDigits(t.a, t.b, mixed);
        EXPECT_TRUE(seen.insert(mixed).second) << i;
        IncrementDigits(d);
    }
}

TEST(Register, DrawsOfTheWorkedExample) {
    Register reg = RegisterFromSeed(D{3, 3, 7, 8, 2, 7, 1, 9});
    EXPECT_EQ(reg.w, (std::array<int, 8>{4, 4, 8, 9, 3, 8, 2, 10}));
    for (int expected : {19, 5, 6, 4, 28, 24}) EXPECT_EQ(NextRegisterValue(reg, 29), expected);
    // Each draw enters at the top and pushes the oldest value out.
    EXPECT_EQ(reg.w, (std::array<int, 8>{2, 10, 19, 5, 6, 4, 28, 24}));

    // Stays inside 0..m-1 for the honeycomb modulus too.
    Register big = RegisterFromSeed(D{9, 9, 9, 9, 9, 9, 9, 9});
    for (int i = 0; i < 5000; ++i) {
        const int v = NextRegisterValue(big, 727);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 727);
    }
}

TEST(SeedText, ClassicBasicFormatOfASingle) {
    EXPECT_EQ(SeedTextFromSeconds(43200.52), " 43200.52");
    EXPECT_EQ(SeedTextFromSeconds(0), " 0");
    EXPECT_EQ(SeedTextFromSeconds(5), " 5");
    EXPECT_EQ(SeedTextFromSeconds(60.5), " 60.5");
    EXPECT_EQ(SeedTextFromSeconds(86399.999), " 86400");     // rounds to the single 86400
    EXPECT_EQ(SeedTextFromSeconds(86399.996), " 86399.99");  // the single 86399.9921875
    EXPECT_EQ(SeedTextFromSeconds(12345.678), " 12345.68");
    EXPECT_EQ(SeedTextFromSeconds(0.25), " .25");            // no zero before the point
    EXPECT_EQ(SeedTextFromSeconds(-1.5), "-1.5");
    EXPECT_EQ(SeedTextFromSeconds(123456789.0), " 1.234568E+08");
}

}  // namespace
}  // namespace quivra
