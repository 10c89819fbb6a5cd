// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Direction tables of both styles, indexed (slot, order). Order 0 holds the base directions;
// every other order is one permutation of them, so a carve picks an order with one draw.
#include <array>
#include <cstdint>

namespace quivra {

template <int Slots, int Orders>
using StepTable = std::array<std::array<int16_t, Orders>, Slots>;

using SquareStepTable = StepTable<4, 24>;   // stepX / stepY
using HexStepTable = StepTable<6, 720>;     // hexStepX / hexStepY

constexpr int kSquareDirections = 4;
constexpr int kSquareOrders = 24;
constexpr int kHexDirections = 6;
constexpr int kHexOrders = 720;

void FillSquareStepTables(SquareStepTable& stepX, SquareStepTable& stepY);
void FillHexStepTables(HexStepTable& hexStepX, HexStepTable& hexStepY);

}  // namespace quivra
