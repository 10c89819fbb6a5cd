// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decimal random generator: eight seed digits from a text, a one-to-one digit-pair mix,
// an odometer over the digits, and the additive register that yields the actual draws.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quivra {

using MixTable = std::array<uint8_t, 100>;    // indexed 10 * hi + lo
using SeedDigits = std::array<uint8_t, 8>;    // d1..d8 in elements 0..7; d1 least significant

// Fills the two substitution tables (B first, then A, as start-up does).
void FillMixTables(MixTable& mixTableB, MixTable& mixTableA);

// Seed text to eight digits: character code mod 10, right-aligned, padded with 8s,
// only the first eight characters count.
SeedDigits SeedDigitsFromText(std::string_view text);

// Eight rounds of pair substitution.
void MixDigits(const MixTable& mixTableA, const MixTable& mixTableB, SeedDigits& d);

// Eight-digit odometer, d1 first; a carry out of d8 is dropped.
void IncrementDigits(SeedDigits& d);

// The additive register of one carving run.
struct Register {
    std::array<int, 8> w{};
};
Register RegisterFromSeed(const SeedDigits& seed);   // w(k) = digit(k) + 1

// Shifts the register by one place and returns the new value 0..m-1.
int NextRegisterValue(Register& reg, int m);

// The seed text the game makes from a clock reading: the reading rounded to single precision,
// written with a leading blank for non-negative values, a point whatever the locale, at most
// 7 significant digits, no trailing zeros and, as classic BASIC does, no zero before the point
// (43200.52 -> " 43200.52", 0.25 -> " .25").
std::string SeedTextFromSeconds(double secondsSinceMidnight);

}  // namespace quivra
