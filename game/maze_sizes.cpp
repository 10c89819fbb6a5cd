// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/maze_sizes.h"

#include <algorithm>
#include <charconv>

#include "game/style_rules.h"

namespace quivra {

namespace {

// Square cells in a 3:2 window; honeycomb columns are 1.5 units wide and rows sqrt(3) deep, so
// about as many columns as squares across and rows as squares down keep the proportions.
constexpr int kSquareSizes[kNamedSizes][2] = {{15, 10}, {30, 20}, {60, 40}, {120, 80}};
constexpr int kHoneycombSizes[kNamedSizes][2] = {{15, 10}, {31, 20}, {61, 40}, {121, 80}};

bool ParseSide(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

}  // namespace

MazeShape NamedSizeShape(MazeStyle style, int index) {
    index = std::clamp(index, 0, kNamedSizes - 1);
    const auto& cells = style == MazeStyle::Honeycomb ? kHoneycombSizes[index] : kSquareSizes[index];
    return MazeShape::Of(style, cells[0], cells[1]);
}

std::optional<SizeRefusal> CheckCells(MazeStyle style, int cellsX, int cellsY) {
    const StyleRules& rules = RulesOf(style);
    const int maxX = rules.oddCellsX ? kMaxChosenSide - 1 + kMaxChosenSide % 2 : kMaxChosenSide;
    if (cellsX < rules.minCellsX || cellsX > maxX) return SizeRefusal{&kCellsAcrossRange, rules.minCellsX, maxX};
    if (rules.oddCellsX && cellsX % 2 == 0) return SizeRefusal{&kHoneycombOdd};
    if (cellsY < rules.minCellsY || cellsY > kMaxChosenSide) {
        return SizeRefusal{&kCellsDownRange, rules.minCellsY, kMaxChosenSide};
    }
    return std::nullopt;
}

std::optional<MazeShape> ChosenShape(MazeStyle style, const SizeChoice& choice) {
    switch (choice.kind) {
        case SizeChoice::Kind::FitWindow: return std::nullopt;
        case SizeChoice::Kind::Named: return NamedSizeShape(style, choice.named);
        case SizeChoice::Kind::Custom: break;
    }
    const StyleRules& rules = RulesOf(style);
    int x = std::clamp(choice.cellsX, rules.minCellsX, kMaxChosenSide);
    if (rules.oddCellsX && x % 2 == 0) x = x < kMaxChosenSide ? x + 1 : x - 1;
    const int y = std::clamp(choice.cellsY, rules.minCellsY, kMaxChosenSide);
    return MazeShape::Of(style, x, y);
}

std::string SizeChoiceKey(const SizeChoice& choice) {
    switch (choice.kind) {
        case SizeChoice::Kind::FitWindow: return "fit";
        case SizeChoice::Kind::Named: return kSizeKeys[std::clamp(choice.named, 0, kNamedSizes - 1)];
        case SizeChoice::Kind::Custom: break;
    }
    return std::to_string(choice.cellsX) + "x" + std::to_string(choice.cellsY);
}

std::optional<SizeChoice> SizeChoiceFromKey(const std::string& key) {
    if (key == "fit") return SizeChoice::Fit();
    for (int i = 0; i < kNamedSizes; ++i) {
        if (key == kSizeKeys[i]) return SizeChoice::Named(i);
    }
    const size_t x = key.find('x');
    int cellsX = 0, cellsY = 0;
    if (x == std::string::npos || !ParseSide(key.substr(0, x), cellsX) || !ParseSide(key.substr(x + 1), cellsY)) {
        return std::nullopt;
    }
    // Kept for either style: the square's limits, which a honeycomb's are within but for oddness.
    if (CheckCells(MazeStyle::Square, cellsX, cellsY)) return std::nullopt;
    return SizeChoice::Custom(cellsX, cellsY);
}

}  // namespace quivra
