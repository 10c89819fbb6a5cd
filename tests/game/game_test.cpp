// SPDX-License-Identifier: GPL-3.0-or-later
// The game's rules on the model alone: keys, steps and their outcomes, and the verbs' effects.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/key_codes.h"
#include "game/texts.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// A 2 x 2 square game on this raster, the player on the start cell: the entrance above (1, 1), a
// corridor right and down to (3, 3), the exit below it, and (1, 3) walled in.
Game SmallSquareGame() { return test::SquareGameFromRows({"01000", "02220", "00020", "02020", "00010"}); }

// A square game on a raster given row by row, the player on the start cell.
Game FinishedSquareGame(std::vector<std::string> rows) { return test::SquareGameFromRows(rows); }

// The raster step a key takes, as signs: where it points, whatever the table's order.
enum KeyKind { kWalks, kBeeps, kIgnored };
struct KeyCase {
    MazeStyle style;
    std::vector<int> keys;
    KeyKind kind;
    int dx = 0, dy = 0;   // -1, 0 or 1
};

TEST(GameRules, EachKeyWalksItsWayOrBeepsOrIsLeftAlone) {
    const MazeStyle S = MazeStyle::Square, H = MazeStyle::Honeycomb;
    const KeyCase cases[] = {
        {S, {vk::kLeft, vk::kPad4, vk::kA}, kWalks, -1, 0},
        {S, {vk::kRight, vk::kPad6, vk::kD}, kWalks, 1, 0},
        {S, {vk::kUp, vk::kPad8, vk::kW}, kWalks, 0, -1},
        {S, {vk::kDown, vk::kPad2, vk::kS}, kWalks, 0, 1},
        {S, {vk::kHome, vk::kEnd, vk::kPageUp, vk::kPageDown, vk::kPad7, vk::kPad9, vk::kQ, vk::kE}, kBeeps},
        {H, {vk::kHome, vk::kPad7, vk::kQ}, kWalks, -1, -1},
        {H, {vk::kEnd, vk::kPad1, vk::kA}, kWalks, -1, 1},
        {H, {vk::kUp, vk::kPad8, vk::kW}, kWalks, 0, -1},
        {H, {vk::kDown, vk::kPad2, vk::kS}, kWalks, 0, 1},
        {H, {vk::kPageUp, vk::kPad9, vk::kE}, kWalks, 1, -1},
        {H, {vk::kPageDown, vk::kPad3, vk::kD}, kWalks, 1, 1},
        {H, {vk::kLeft, vk::kRight, vk::kPad4, vk::kPad6}, kBeeps},
        {S, {vk::kReturn, vk::kPad5, vk::kZ, vk::kF1}, kIgnored},
        {H, {vk::kReturn, vk::kPad5, vk::kZ, vk::kF1}, kIgnored},
    };
    Game g;
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const KeyCase& c : cases) {
        const StyleRules& rules = RulesOf(c.style);
        for (int key : c.keys) {
            SCOPED_TRACE(std::string(c.style == S ? "square" : "honeycomb") + " key " + std::to_string(key));
            const int d = rules.keyDirection(key);
            if (c.kind != kWalks) {
                EXPECT_EQ(d, c.kind == kBeeps ? kBeepKey : kNotAKey);
                continue;
            }
            ASSERT_GE(d, 0);
            EXPECT_EQ(sign(rules.stepX(g.tables(), d)), c.dx);
            EXPECT_EQ(sign(rules.stepY(g.tables(), d)), c.dy);
        }
    }
}

// Key presses on the small maze: what each did and where the player ends up.
struct WalkCase {
    const char* name;
    std::vector<int> keys;
    std::vector<StepOutcome> outcomes;
    int playerX, playerY;
    bool exitReached;
};

TEST(GameRules, StepsMoveBackBlockAndLeave) {
    using O = StepOutcome;
    const WalkCase cases[] = {
        {"into walls and the entrance", {vk::kDown, vk::kLeft, vk::kUp}, {O::Blocked, O::Blocked, O::Blocked}, 1, 1, false},
        {"along the corridor", {vk::kRight, vk::kDown}, {O::Moved, O::Moved}, 3, 3, false},
        {"and back", {vk::kRight, vk::kDown, vk::kUp, vk::kLeft}, {O::Moved, O::Moved, O::MovedBack, O::MovedBack}, 1, 1, false},
        {"out through the exit", {vk::kRight, vk::kDown, vk::kDown}, {O::Moved, O::Moved, O::Exited}, 3, 5, true},
        {"nothing after the exit", {vk::kRight, vk::kDown, vk::kDown, vk::kUp}, {O::Moved, O::Moved, O::Exited, O::Blocked}, 3, 5, true},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        Game g = SmallSquareGame();
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const KeyResult k = g.PressKey(c.keys[i]);
            EXPECT_EQ(k.step.outcome, c.outcomes[i]) << "key " << i;
            // A blocked key beeps while walking; once out, the game no longer takes keys.
            EXPECT_EQ(k.beep, c.outcomes[i] == O::Blocked && !(i > 0 && c.outcomes[i - 1] == O::Exited)) << i;
        }
        EXPECT_EQ(g.walk().playerX, c.playerX);
        EXPECT_EQ(g.walk().playerY, c.playerY);
        EXPECT_EQ(g.walk().exitReached, c.exitReached);
        EXPECT_EQ(g.FinishedStatus(), c.exitReached ? kCongratulation : kSquareHint);
    }
}

TEST(GameRules, AStepDrawsGreenForwardYellowBackAndMarksTheCellLeft) {
    Game g = SmallSquareGame();
    const StepResult right = g.PressKey(vk::kRight).step;
    EXPECT_EQ(right.colour, kStepColour);
    EXPECT_DOUBLE_EQ(right.fromX, 0.625);   // cell centres: a quarter-unit wall, then unit cells
    EXPECT_DOUBLE_EQ(right.toX, 1.625);
    EXPECT_DOUBLE_EQ(right.toY, 0.625);
    EXPECT_EQ(g.walk().walkGrid(1, 3), 1);

    const StepResult down = g.PressKey(vk::kDown).step;
    EXPECT_DOUBLE_EQ(down.toY, 1.625);
    const StepResult back = g.PressKey(vk::kUp).step;
    EXPECT_EQ(back.colour, kStepBackColour);
    EXPECT_EQ(g.walk().walkGrid(3, 3), 3);   // stepped back from: off the trail, drawn yellow
    EXPECT_EQ(g.walk().lineColorIndex, kStepBackColour);

    g.PressKey(vk::kDown);
    const StepResult out = g.PressKey(vk::kDown).step;
    EXPECT_EQ(out.outcome, StepOutcome::Exited);
    EXPECT_DOUBLE_EQ(out.toY, 2.25);   // down to the near edge of the 2-row scene
    EXPECT_DOUBLE_EQ(out.toX, out.fromX);
}

TEST(GameRules, AHoneycombStepGoesToTheNeighboursCentre) {
    // Hexagons of side 1: every neighbour's centre is sqrt(3) away, straight or at 30 degrees.
    Game g;
    const StyleRules& rules = RulesOf(MazeStyle::Honeycomb);
    for (int d = 0; d < rules.directions; ++d) {
        const int sx = rules.stepX(g.tables(), d), sy = rules.stepY(g.tables(), d);
        double x = 10, y = 10;
        rules.sceneStep(11, 10, 11 + 2 * sx, 10 + 2 * sy, x, y);
        EXPECT_NEAR(std::hypot(x - 10, y - 10), std::sqrt(3.0), 1e-12) << d;
        EXPECT_EQ((x > 10) - (x < 10), (sx > 0) - (sx < 0)) << d;
        EXPECT_EQ((y > 10) - (y < 10), (sy > 0) - (sy < 0)) << d;
    }
}

TEST(GameRules, NoWalkingWhileShowingThePathOrWaitingForANewMaze) {
    const std::vector<std::pair<const char*, void (*)(Game&)>> stops = {
        {"correct path shown", [](Game& g) { g.ShowSolution(); }},
        {"new maze asked for", [](Game& g) { g.NewGame(100); }},
        {"closed", [](Game& g) { g.Close(); }},
    };
    for (const auto& [name, stop] : stops) {
        SCOPED_TRACE(name);
        Game g = SmallSquareGame();
        stop(g);
        const KeyResult k = g.PressKey(vk::kRight);
        EXPECT_FALSE(k.consumed);
        EXPECT_FALSE(k.beep);
        EXPECT_EQ(g.walk().playerX, 1);
    }
}

// Pointing at a cell: a neighbour is a key's step, a cell down an open corridor is walked to, the
// rest is ignored without a beep.
TEST(GameRules, PointingAtACellWalksAStraightOpenLineOnly) {
    struct Case {
        const char* name;
        const char* topRow;   // the top corridor's raster row
        int x, y;             // the cell pointed at
        size_t steps;
        bool beep;
        int playerX;
    };
    const Case cases[] = {
        {"the open neighbour", "0222220", 3, 1, 1, false, 3},
        {"down the corridor", "0222220", 5, 1, 2, false, 5},
        {"the walled neighbour", "0222220", 1, 3, 0, true, 1},
        {"past a wall", "0222020", 5, 1, 0, false, 1},
        {"off the line", "0222220", 3, 3, 0, false, 1},
        {"where the player stands", "0222220", 1, 1, 0, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g = FinishedSquareGame({"0100000", c.topRow, "0000020", "0222220", "0000010"});
        const Game::WalkResult w = g.WalkTo(c.x, c.y);
        EXPECT_EQ(w.steps.size(), c.steps);
        EXPECT_EQ(w.beep, c.beep);
        EXPECT_EQ(g.walk().playerX, c.playerX);
        for (const StepResult& step : w.steps) EXPECT_EQ(step.outcome, StepOutcome::Moved);
    }
    // Back along the trail: every step yellow; nothing while the correct path shows.
    Game g = FinishedSquareGame({"0100000", "0222220", "0000020", "0222220", "0000010"});
    g.WalkTo(5, 1);
    const Game::WalkResult back = g.WalkTo(1, 1);
    ASSERT_EQ(back.steps.size(), 2u);
    EXPECT_EQ(back.steps[1].outcome, StepOutcome::MovedBack);
    g.ShowSolution();
    EXPECT_TRUE(g.WalkTo(3, 1).steps.empty());
}

TEST(GameVerbs, ClearPutsThePlayerBack) {
    Game g = SmallSquareGame();
    g.PressKey(vk::kRight);
    g.PressKey(vk::kDown);
    g.PressKey(vk::kDown);
    ASSERT_TRUE(g.walk().exitReached);
    g.Clear();
    EXPECT_FALSE(g.walk().exitReached);
    EXPECT_EQ(g.walk().playerX, 1);
    EXPECT_EQ(g.walk().playerY, 1);
    EXPECT_DOUBLE_EQ(g.walk().playerSceneX, 0.625);
    EXPECT_EQ(g.walk().walkGrid(3, 3), 2);   // the trail is gone
    EXPECT_EQ(g.walk().walkGrid(1, 1), 1);   // but the start is walked
    EXPECT_TRUE(g.Moves().empty());
    EXPECT_FALSE(g.maze().needNewMaze);
}

TEST(GameVerbs, TheStyleChangesOnlyToAnotherAndAsksForANewMaze) {
    Game g = SmallSquareGame();
    g.ShowSolution();
    EXPECT_FALSE(g.SetStyle(MazeStyle::Square));
    EXPECT_TRUE(g.walk().showingSolution);
    EXPECT_FALSE(g.maze().needNewMaze);

    EXPECT_TRUE(g.SetStyle(MazeStyle::Honeycomb));
    EXPECT_FALSE(g.walk().showingSolution);
    EXPECT_TRUE(g.maze().needNewMaze);
    EXPECT_TRUE(g.NeedsNewMaze());
    EXPECT_EQ(g.Code(), "");   // the grids hold no honeycomb
}

TEST(GameVerbs, TiltKeepsTheMaze) {
    Game g = SmallSquareGame();
    g.Tilt(33);
    EXPECT_DOUBLE_EQ(g.viewAngle(), 33);
    EXPECT_FALSE(g.NeedsNewMaze());
}

TEST(GameVerbs, ACodePlaysItsMazeAgainInItsStyleUntilAnotherStyle) {
    for (const char* code : {"S15x10-11882719-Y", "H21x13-93782719-0"}) {
        SCOPED_TRACE(code);
        const MazeCodeResult parsed = ParseMazeCode(code);
        ASSERT_TRUE(parsed.maze);
        Game g;
        g.PlayCode(*parsed.maze);
        EXPECT_EQ(g.style(), parsed.maze->shape.style);
        ASSERT_TRUE(g.NeedsNewMaze());
        // The drawing area does not matter: the code names the size.
        g.MakeNewMaze(1000, 1000, [] { return 0.0; }, kGenerationBudget);
        EXPECT_EQ(g.Code(), code);
        EXPECT_EQ(g.maze().cellsX, parsed.maze->shape.cellsX);
        const ByteGrid first = g.maze().mazeGrid;
        g.NewGame(5000);   // a resize: the same maze again
        g.MakeNewMaze(300, 300, [] { return 0.0; }, kGenerationBudget);
        EXPECT_EQ(g.maze().mazeGrid, first);

        g.SetStyle(g.style() == MazeStyle::Square ? MazeStyle::Honeycomb : MazeStyle::Square);
        EXPECT_FALSE(g.maze().named.has_value());
    }
}

TEST(GameVerbs, ANewMazeFitsTheAreaAndItsSearchReadsTheClock) {
    Game g;
    int readings = 0;
    g.NewGame(43200.5);
    EXPECT_EQ(g.maze().seedText, SeedTextFromSeconds(43200.5));
    // A window of 400 x 298 pixels less the scroll bar and status line, in twips.
    g.MakeNewMaze(383 * 15, 279 * 15, [&readings] { return 43200.5 + 10 * readings++; }, kGenerationBudget);
    EXPECT_EQ(g.maze().cellsX, 15);
    EXPECT_EQ(g.maze().cellsY, 10);
    EXPECT_GE(readings, 2);
    EXPECT_FALSE(g.maze().needNewMaze);
    EXPECT_EQ(g.walk().walkGrid(1, 1), 1);
    EXPECT_EQ(g.Code().substr(0, 7), "S15x10-");
}

}  // namespace
}  // namespace quivra
