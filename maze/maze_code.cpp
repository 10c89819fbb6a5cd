// SPDX-License-Identifier: GPL-3.0-or-later
#include "maze/maze_code.h"

#include <cctype>
#include <charconv>

namespace quivra {

namespace {

constexpr char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

int Value(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

// ISO 7064 MOD 37,36 over the letters and digits (dashes are part of the form, not checked):
// it catches every single wrong character and every swap of two neighbours.
char CheckCharacter(std::string_view text) {
    int p = 36;
    for (char c : text) {
        const int v = Value(c);
        if (v < 0) continue;
        int s = (p + v) % 36;
        if (s == 0) s = 36;
        p = (2 * s) % 37;
    }
    return kAlphabet[(37 - p) % 36];
}

// Whole decimal number of 1..5 digits without a leading zero; -1 otherwise.
int Number(std::string_view text) {
    if (text.empty() || text.size() > 5 || text[0] == '0') return -1;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() && end == text.data() + text.size() ? v : -1;
}

}  // namespace

std::string MazeCode(const NamedMaze& maze) {
    std::string text = maze.shape.style == MazeStyle::Honeycomb ? "H" : "S";
    text += std::to_string(maze.shape.cellsX) + "x" + std::to_string(maze.shape.cellsY) + "-";
    for (uint8_t d : maze.digits) text += static_cast<char>('0' + d);
    text += '-';
    text += CheckCharacter(text);
    return text;
}

MazeCodeResult ParseMazeCode(std::string_view code) {
    const auto refuse = [](CodeRefusal kind, std::string why) {
        return MazeCodeResult{std::nullopt, std::move(why), kind};
    };
    // S|H, X, 'x', Y, '-', eight digits, '-', check character.
    const size_t x = code.find_first_of("xX", 1);
    const size_t dash = code.find('-');
    if (code.size() < 15 || x == std::string_view::npos || dash == std::string_view::npos || dash < x ||
        code.size() != dash + 11 || code[dash + 9] != '-') {
        return refuse(CodeRefusal::kForm, "not of the form S21x13-12345678-K");
    }
    const char style = static_cast<char>(std::toupper(static_cast<unsigned char>(code[0])));
    if (style != 'S' && style != 'H') {
        return refuse(CodeRefusal::kStyle, "it must start with S (square) or H (honeycomb)");
    }
    const int cellsX = Number(code.substr(1, x - 1));
    const int cellsY = Number(code.substr(x + 1, dash - x - 1));
    if (cellsX < 0 || cellsY < 0) return refuse(CodeRefusal::kCells, "the cells are not two whole numbers");
    NamedMaze maze;
    for (size_t i = 0; i < 8; ++i) {
        const char c = code[dash + 1 + i];
        if (c < '0' || c > '9') return refuse(CodeRefusal::kSeed, "the seed must be eight digits");
        maze.digits[i] = static_cast<uint8_t>(c - '0');
    }
    if (Value(code.back()) < 0 || CheckCharacter(code.substr(0, code.size() - 1)) !=
                                      static_cast<char>(std::toupper(static_cast<unsigned char>(code.back())))) {
        return refuse(CodeRefusal::kCheck, "its check character does not match (a mistyped code?)");
    }
    if (style == 'H') {
        if (cellsX < 3 || cellsX % 2 == 0 || cellsY < 2) {
            return refuse(CodeRefusal::kHoneycombShape, "a honeycomb needs an odd X of at least 3 and Y of at least 2");
        }
    } else {
        if (cellsX < 2 || cellsY < 2) {
            return refuse(CodeRefusal::kSquareShape, "a square maze needs at least 2 x 2 cells");
        }
    }
    // Five digits a side would overflow the shape's formulas: the limits come first.
    const auto shape = MazeShape::Limited(style == 'H' ? MazeStyle::Honeycomb : MazeStyle::Square, cellsX, cellsY);
    if (!shape) {
        return refuse(CodeRefusal::kLimits, "its maze is larger than " + std::to_string(MazeShape::kMaxSide) +
                                                " cells a side or " + std::to_string(MazeShape::kMaxGridPositions) +
                                                " grid positions");
    }
    maze.shape = *shape;
    return {maze, {}};
}

}  // namespace quivra
