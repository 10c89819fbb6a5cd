// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// All the generators' tables, filled once, for code that runs them outside the game window
// (the tool, benchmarks, fuzzers). The game keeps its own copies in its state record.
#include "maze/directions.h"
#include "maze/random.h"

namespace quivra {

struct MazeTables {
    MixTable mixA, mixB;
    SquareStepTable stepX, stepY;
    HexStepTable hexStepX, hexStepY;
    MazeTables() {
        FillMixTables(mixB, mixA);
        FillSquareStepTables(stepX, stepY);
        FillHexStepTables(hexStepX, hexStepY);
    }
};

inline const MazeTables& GameTables() {
    static const MazeTables tables;
    return tables;
}

}  // namespace quivra
