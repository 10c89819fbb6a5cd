// SPDX-License-Identifier: GPL-3.0-or-later
// Maze codes: a code names its maze again, and a mistyped one is refused rather than read as another.
#include <gtest/gtest.h>

#include <string>

#include "maze/maze_code.h"

namespace quivra {
namespace {

const NamedMaze kMazes[] = {
    {MazeShape::Square(3, 2), {3, 3, 9, 1, 3, 7, 9, 6}},
    {MazeShape::Square(20000, 2), {0, 0, 0, 0, 0, 0, 0, 0}},
    {MazeShape::Honeycomb(21, 13), {9, 3, 7, 8, 2, 7, 1, 9}},
    {MazeShape::Honeycomb(3, 2), {9, 9, 9, 9, 9, 9, 9, 9}},
};

TEST(MazeCode, NamesItsMazeAgainInEitherCase) {
    for (const NamedMaze& maze : kMazes) {
        const std::string code = MazeCode(maze);
        for (std::string text : {code, std::string()}) {
            if (text.empty()) {
                for (char c : code) text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            const MazeCodeResult back = ParseMazeCode(text);
            ASSERT_TRUE(back.maze.has_value()) << text << ": " << back.error;
            EXPECT_EQ(*back.maze, maze) << text;
        }
    }
    // The form, worked by hand: style, cells, d1..d8, then the check character.
    EXPECT_EQ(MazeCode(kMazes[0]), "S3x2-33913796-X");
}

TEST(MazeCode, EveryWrongCharacterAndEverySwapIsRefused) {
    const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-x";
    for (const NamedMaze& maze : kMazes) {
        const std::string code = MazeCode(maze);
        for (size_t i = 0; i < code.size(); ++i) {
            for (char c : alphabet) {
                if (std::toupper(static_cast<unsigned char>(c)) == std::toupper(static_cast<unsigned char>(code[i]))) {
                    continue;
                }
                std::string typo = code;
                typo[i] = c;
                const MazeCodeResult r = ParseMazeCode(typo);
                EXPECT_FALSE(r.maze.has_value()) << typo << " read as a maze";
                EXPECT_FALSE(r.error.empty());
            }
            if (i + 1 < code.size() && code[i] != code[i + 1]) {
                std::string swapped = code;
                std::swap(swapped[i], swapped[i + 1]);
                EXPECT_FALSE(ParseMazeCode(swapped).maze.has_value()) << swapped;
            }
        }
        EXPECT_FALSE(ParseMazeCode(code.substr(0, code.size() - 1)).maze.has_value());
        EXPECT_FALSE(ParseMazeCode(code + "0").maze.has_value());
    }
}

TEST(MazeCode, RefusesShapesTheStylesCannotHave) {
    // Right check characters on wrong sizes: refused for the size, not the check.
    const struct {
        MazeShape shape;
        const char* why;
        CodeRefusal refusal;
    } wrongSizes[] = {
        {MazeShape::Honeycomb(4, 2), "odd", CodeRefusal::kHoneycombShape},
        {MazeShape::Honeycomb(3, 1), "odd", CodeRefusal::kHoneycombShape},
        {MazeShape::Square(1, 5), "2 x 2", CodeRefusal::kSquareShape},
        {MazeShape::Square(2, 1), "2 x 2", CodeRefusal::kSquareShape},
        {MazeShape::Square(5, 1), "2 x 2", CodeRefusal::kSquareShape},
        {MazeShape::Square(20001, 2), "larger", CodeRefusal::kLimits},
        {MazeShape::Square(3536, 3535), "larger", CodeRefusal::kLimits},   // 50013183 positions
        {MazeShape::Honeycomb(3, 20001), "larger", CodeRefusal::kLimits},
    };
    for (const auto& [shape, why, refusal] : wrongSizes) {
        const MazeCodeResult r = ParseMazeCode(MazeCode({shape, {}}));
        EXPECT_FALSE(r.maze.has_value());
        EXPECT_NE(r.error.find(why), std::string::npos) << r.error;
        EXPECT_EQ(r.refusal, refusal) << r.error;
    }
    for (const char* bad : {"", "S", "S3x2-33913796", "Q3x2-33913796-X", "S03x2-33913796-X", "S3x2-3391379a-X",
                            "S3x2x33913796-X", "S3-2-33913796-X", "S123456x2-33913796-X",
                            // Right check characters on sizes whose cell count no int holds.
                            "S99999x99999-12345678-J", "S46341x46341-12345678-R", "H99999x99999-12345678-3"}) {
        EXPECT_FALSE(ParseMazeCode(bad).maze.has_value()) << bad;
    }
    // The largest square grid within the limit: 7071 x 7071 positions.
    EXPECT_TRUE(ParseMazeCode(MazeCode({MazeShape::Square(3535, 3535), {}})).maze.has_value());
}

}  // namespace
}  // namespace quivra
