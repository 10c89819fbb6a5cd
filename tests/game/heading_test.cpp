// SPDX-License-Identifier: GPL-3.0-or-later
// Standing in the maze: headings and turns per style, forward and back as the game's steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "game/key_codes.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// A heading as the compass of the plan (y grows downwards) shows it: where one step of it goes.
struct Compass {
    int dx, dy;   // signs
    bool operator==(const Compass&) const = default;
};
constexpr Compass kN{0, -1}, kS{0, 1}, kE{1, 0}, kW{-1, 0}, kNE{1, -1}, kSE{1, 1}, kSW{-1, 1}, kNW{-1, -1};

Compass CompassOf(const Game& g, int d) {
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    return {sign(g.Rules().stepX(g.tables(), d)), sign(g.Rules().stepY(g.tables(), d))};
}

// A game standing on the start of a small hand-made maze of the style.
Game SquareStart() { return test::SquareGameFromRows({"01000", "02220", "00020", "02020", "00010"}); }
Game HoneycombStart() { return test::GameFromCode("H21x13-93782719-0"); }

// Turning one way from the start, the headings met in turn; facing down into the maze at first.
TEST(FirstPersonRules, TurnsGoRoundTheStylesDirectionsInOrder) {
    struct Case {
        const char* name;
        Game (*make)();
        bool left;
        std::vector<Compass> headings;   // the start's, then after each turn, back to the start's
    };
    const Case cases[] = {
        {"square, left", SquareStart, true, {kS, kE, kN, kW, kS}},
        {"square, right", SquareStart, false, {kS, kW, kN, kE, kS}},
        {"honeycomb, left", HoneycombStart, true, {kS, kSE, kNE, kN, kNW, kSW, kS}},
        {"honeycomb, right", HoneycombStart, false, {kS, kSW, kNW, kN, kNE, kSE, kS}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g = c.make();
        ASSERT_TRUE(g.CanWalk());
        for (size_t i = 0; i < c.headings.size(); ++i) {
            EXPECT_EQ(CompassOf(g, g.Heading()), c.headings[i]) << "after " << i << " turns";
            const KeyResult k = g.PressFirstPersonKey(c.left ? vk::kLeft : vk::kRight);
            EXPECT_TRUE(k.consumed);
            EXPECT_FALSE(k.beep);
            EXPECT_EQ(k.turn, c.left ? -1 : 1);
        }
        // Turning moves nobody and logs nothing.
        EXPECT_EQ(g.walk().playerX, g.Rules().startX);
        EXPECT_TRUE(g.Moves().empty());
        // Straight behind is half a turn away.
        for (int d = 0; d < g.Rules().directions; ++d) {
            const Compass ahead = CompassOf(g, d), back = CompassOf(g, g.Rules().behind(d));
            EXPECT_EQ(back, (Compass{-ahead.dx, -ahead.dy})) << d;
        }
    }
}

// On the small square maze: the entrance above the start, a corridor right and down to the exit.
TEST(FirstPersonRules, KeysStepForwardAndBackFacingTheSameWayAndWallsBeep) {
    using O = StepOutcome;
    struct Press {
        int key;
        O outcome;
        bool beep;
        int playerX, playerY;
        Compass facing;
    };
    const std::vector<Press> presses = {
        {vk::kUp, O::Blocked, true, 1, 1, kS},       // a wall ahead
        {vk::kDown, O::Blocked, true, 1, 1, kS},     // the entrance behind is no way out
        {vk::kHome, O::Blocked, true, 1, 1, kS},     // the overview's other walking keys beep
        {vk::kA, O::Blocked, false, 1, 1, kE},       // turn left: facing along the corridor
        {vk::kPad8, O::Moved, false, 3, 1, kE},
        {vk::kD, O::Blocked, false, 3, 1, kS},       // turn right
        {vk::kW, O::Moved, false, 3, 3, kS},
        {vk::kS, O::MovedBack, false, 3, 1, kS},     // back, still facing down
        {vk::kPad2, O::Blocked, true, 3, 1, kS},     // a wall behind
        {vk::kUp, O::Moved, false, 3, 3, kS},
        {vk::kUp, O::Exited, false, 3, 5, kS},
        {vk::kLeft, O::Blocked, false, 3, 5, kS},    // out: nothing more is taken
    };
    Game g = SquareStart();
    for (size_t i = 0; i < presses.size(); ++i) {
        SCOPED_TRACE("press " + std::to_string(i));
        const Press& p = presses[i];
        const KeyResult k = g.PressFirstPersonKey(p.key);
        EXPECT_EQ(k.consumed, i + 1 < presses.size());
        EXPECT_EQ(k.step.outcome, p.outcome);
        EXPECT_EQ(k.beep, p.beep);
        EXPECT_EQ(g.walk().playerX, p.playerX);
        EXPECT_EQ(g.walk().playerY, p.playerY);
        EXPECT_EQ(CompassOf(g, g.Heading()), p.facing);
    }
    EXPECT_TRUE(g.walk().exitReached);
    // The same log of moves as the overview's keys leave: right, down, up, down, down.
    EXPECT_EQ(g.Moves(), (std::vector<uint8_t>{2, 1, 3, 1, 1}));
    EXPECT_EQ(g.PressFirstPersonKey(vk::kReturn).consumed, false);
    g.Clear();
    EXPECT_EQ(CompassOf(g, g.Heading()), kS);
}

TEST(FirstPersonRules, NoTurningWhileWalkingIsRefused) {
    Game g = SquareStart();
    g.ShowSolution();
    const KeyResult k = g.PressFirstPersonKey(vk::kLeft);
    EXPECT_FALSE(k.consumed);
    EXPECT_EQ(CompassOf(g, g.Heading()), kS);
}

}  // namespace
}  // namespace quivra
