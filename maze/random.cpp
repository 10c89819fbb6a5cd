// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/random.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quivra {

namespace {

// Row = tens digit hi, column = units digit lo.
constexpr MixTable kMixA = {
    1, 2, 2, 1, 5, 5, 4, 6, 4, 6,  //
    4, 4, 5, 6, 6, 3, 0, 9, 6, 5,  //
    7, 2, 0, 9, 3, 4, 2, 3, 9, 1,  //
    9, 9, 9, 3, 8, 9, 3, 4, 1, 5,  //
    0, 5, 2, 7, 0, 8, 8, 0, 4, 5,  //
    0, 3, 6, 8, 1, 7, 8, 8, 7, 1,  //
    3, 2, 7, 7, 1, 8, 0, 3, 7, 5,  //
    2, 6, 4, 0, 9, 9, 7, 7, 4, 6,  //
    2, 0, 0, 1, 7, 3, 6, 6, 1, 1,  //
    2, 4, 5, 9, 8, 2, 8, 8, 3, 5,
};
constexpr MixTable kMixB = {
    4, 1, 2, 8, 8, 9, 9, 6, 5, 7,  //
    2, 1, 2, 9, 8, 8, 6, 3, 5, 1,  //
    9, 5, 4, 4, 9, 8, 6, 0, 8, 0,  //
    6, 0, 2, 4, 1, 9, 2, 0, 7, 4,  //
    7, 3, 0, 0, 2, 6, 8, 9, 4, 0,  //
    8, 3, 2, 3, 2, 5, 2, 4, 6, 9,  //
    7, 9, 1, 3, 5, 7, 1, 1, 4, 5,  //
    8, 1, 6, 0, 5, 7, 8, 2, 3, 3,  //
    7, 3, 5, 1, 7, 5, 4, 0, 3, 6,  //
    3, 7, 7, 1, 9, 4, 0, 5, 6, 6,
};

}  // namespace

void FillMixTables(MixTable& mixTableB, MixTable& mixTableA) {
    mixTableB = kMixB;
    mixTableA = kMixA;
}

SeedDigits SeedDigitsFromText(std::string_view text) {
    SeedDigits d;
    d.fill(8);
    const size_t n = text.size() < 8 ? text.size() : 8;
    for (size_t i = 0; i < n; ++i) {
        d[8 - n + i] = static_cast<uint8_t>(static_cast<unsigned char>(text[i]) % 10);
    }
    return d;
}

void MixDigits(const MixTable& mixTableA, const MixTable& mixTableB, SeedDigits& d) {
    for (int round = 0; round < 8; ++round) {
        const int k1 = 10 * d[1] + d[0];
        const int k2 = 10 * d[3] + d[2];
        const int k3 = 10 * d[5] + d[4];
        const int k4 = 10 * d[7] + d[6];
        d[0] = mixTableA[k2];
        d[1] = mixTableB[k3];
        d[2] = mixTableA[k3];
        d[3] = mixTableA[k1];
        d[4] = mixTableB[k2];
        d[5] = mixTableA[k4];
        d[6] = mixTableB[k1];
        d[7] = mixTableB[k4];
    }
}

void IncrementDigits(SeedDigits& d) {
    for (uint8_t& digit : d) {
        if (++digit <= 9) return;
        digit = 0;
    }
}

Register RegisterFromSeed(const SeedDigits& seed) {
    Register reg;
    for (int k = 0; k < 8; ++k) reg.w[k] = seed[k] + 1;
    return reg;
}

int NextRegisterValue(Register& reg, int m) {
    int s = reg.w[0];
    for (int k = 1; k < 8; ++k) {
        reg.w[k - 1] = reg.w[k];
        s += reg.w[k];
        if (s >= m) s -= m;
    }
    reg.w[7] = s;
    return s;
}

std::string SeedTextFromSeconds(double secondsSinceMidnight) {
    const float single = static_cast<float>(secondsSinceMidnight);
    if (single == 0.0f || std::isnan(single)) return " 0";
    if (std::isinf(single)) return single > 0 ? " inf" : "-inf";

    // to_chars ignores the locale, so the separator is always a point.
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(std::fabs(single)),
                                   std::chars_format::general, 7);
    std::string body(buf, res.ptr);
    // Classic BASIC style: no zero before the point, capital E.
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    if (const size_t e = body.find('e'); e != std::string::npos) body[e] = 'E';
    return (single < 0 ? "-" : " ") + body;
}

}  // namespace quivra
