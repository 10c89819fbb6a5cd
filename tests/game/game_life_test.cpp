// SPDX-License-Identifier: GPL-3.0-or-later
// A game's life on a scripted clock, in each view's keys: the time played, the steps, the heading,
// the trail and what the records get, through a resize, a resume, walking out, minimising, the
// correct path, a switch of view, a pause; then the hint and the way back to the last maze.
#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "game/game_life.h"
#include "game/key_codes.h"
#include "game/lasting.h"
#include "game/window_design.h"
#include "tests/support/game_builder.h"

namespace quivra {
namespace {

// S3x2: the way out is right, right, down, down; three steps in, the player stands on raster (5, 3).
constexpr const char* kCode = "S3x2-33913796-X";
constexpr int kLeft = 0, kDown = 1, kRight = 2;

enum class View { Overview, FirstPerson, Plan };

// The records as a store would keep them, with every win it was asked to add.
struct KeptRecords final : RecordsStore {
    std::optional<WinReport> RecordWin(const std::string& key, int steps, int shortest, double seconds) override {
        keys.push_back(key);
        return records.Add(key, steps, shortest, seconds);
    }
    Records records;
    std::vector<std::string> keys;
};

// One game played from a clock the test sets: every move one second after the last.
struct Played {
    explicit Played(View v) : view(v) {
        game.ChooseSize(SizeChoice::Named(0));   // new games are small; a code's maze is its own size
        game.PlayCode(*ParseMazeCode(kCode).maze);
        Rebuild();
        life.UseRecords(&records);
    }
    // What every view's run does once its maze is made: the life takes a waiting walk.
    void Rebuild() {
        if (game.NeedsNewMaze()) game.MakeNewMaze(383 * 15, 279 * 15, [] { return 43200.0; }, 0);
        life.ViewReady();
    }
    // One step in a base direction with the view's keys: the style's key, or turns then forward.
    StepOutcome Step(int direction) {
        now += 1;
        if (view != View::FirstPerson) {
            static const int keys[] = {vk::kLeft, vk::kDown, vk::kRight, vk::kUp};
            return life.PressKey(keys[direction]).step.outcome;
        }
        for (int turns = 0; turns < 4 && game.Heading() != direction; ++turns) life.PressFirstPersonKey(vk::kLeft);
        return life.PressFirstPersonKey(vk::kUp).step.outcome;
    }
    // Right, right, down; in first person the player then turns left (to face right).
    void WalkThree() {
        for (int d : {kRight, kRight, kDown}) ASSERT_EQ(Step(d), StepOutcome::Moved);
        if (view == View::FirstPerson) life.PressFirstPersonKey(vk::kLeft);
    }
    void WalkOut() { ASSERT_EQ(Step(kDown), StepOutcome::Exited); }

    View view;
    Game game;
    double now = 100;
    GameLife life{game, [this] { return now; }};
    KeptRecords records;
};

struct Expected {
    int steps;
    double seconds;
    int heading[3];   // overview, first person, plan
    bool out;
    const char* recorded;   // the records' key, or nothing
    bool helped;
};

struct Case {
    const char* name;
    std::function<void(Played&, std::unique_ptr<Played>&)> play;
    Expected expected;
};

TEST(GameLife, TimeStepsHeadingTrailAndRecordsInEveryView) {
    const Case cases[] = {
        {"a resize that keeps the maze is the same walk, paused until taken again",
         [](Played& p, auto&) {
             p.WalkThree();   // 101..103
             p.now = 110;
             p.life.WindowResized(200);
             p.now = 115;
             p.Rebuild();
             p.now = 120;
         },
         {3, 9 + 5, {kDown, kRight, kDown}, false, nullptr, false}},
        {"a resume carries the time, the walk and the heading into a new process",
         [](Played& p, std::unique_ptr<Played>& next) {
             p.WalkThree();
             p.now = 110;
             const std::string text = WriteKeptGame(*p.life.ToKeep());
             next = std::make_unique<Played>(p.view);
             next->now = 200;
             next->life.Resume(*ReadKeptGame(text).game);
             EXPECT_FALSE(next->life.TakeResumeStood());   // not built yet: the file stays
             next->now = 201;
             next->Rebuild();
             EXPECT_TRUE(next->life.TakeResumeStood());
             next->now = 205;
         },
         {3, 9 + 4, {kDown, kRight, kDown}, false, nullptr, false}},
        {"walking out stops the clock and is a record under the maze's cells",
         [](Played& p, auto&) {
             p.WalkThree();
             p.now = 109;
             p.WalkOut();   // at 110
             p.now = 130;
         },
         {4, 9, {kDown, kDown, kDown}, true, "square 3x2", false}},
        {"no time while minimised",
         [](Played& p, auto&) {
             p.WalkThree();
             p.now = 110;
             p.life.SetMinimised(true);
             p.now = 150;
             p.life.SetMinimised(false);
             p.now = 155;
         },
         {3, 9 + 5, {kDown, kRight, kDown}, false, nullptr, false}},
        {"the correct path shown stops the clock and the win is no record",
         [](Played& p, auto&) {
             p.WalkThree();
             p.now = 110;
             p.life.ShowSolution();
             p.now = 130;
             p.life.HideSolution();
             p.now = 134;
             p.WalkOut();   // at 135
             p.now = 140;
         },
         {4, 9 + 5, {kDown, kDown, kDown}, true, nullptr, true}},
        {"a switch of view between two moves keeps the walk",
         [](Played& p, auto&) {
             ASSERT_EQ(p.Step(kRight), StepOutcome::Moved);   // 101
             ASSERT_EQ(p.Step(kRight), StepOutcome::Moved);   // 102
             // The next view: its run draws the same game again, with nothing to take again.
             p.view = p.view == View::Overview ? View::FirstPerson : p.view == View::FirstPerson ? View::Plan : View::Overview;
             p.now = 105;
             p.life.ViewReady();
             ASSERT_EQ(p.Step(kDown), StepOutcome::Moved);   // 106
             p.now = 109;
             p.WalkOut();   // 110
         },
         // Overview then first person faces down; first person then the plan still faces right.
         {4, 9, {kDown, kRight, kDown}, true, "square 3x2", false}},
        {"a pause stops the clock and takes no move",
         [](Played& p, auto&) {
             p.WalkThree();
             p.now = 110;
             p.life.SetPaused(true);
             p.now = 119;
             EXPECT_NE(p.Step(kDown), StepOutcome::Exited);   // at 120: refused
             EXPECT_FALSE(p.life.TakeHint().directions.size());
             p.now = 130;
             p.life.SetPaused(false);
             p.now = 135;
         },
         {3, 9 + 5, {kDown, kRight, kDown}, false, nullptr, false}},
    };
    for (const Case& c : cases) {
        for (const View view : {View::Overview, View::FirstPerson, View::Plan}) {
            SCOPED_TRACE(std::string(c.name) + ", view " + std::to_string(static_cast<int>(view)));
            Played first(view);
            std::unique_ptr<Played> next;
            c.play(first, next);
            Played& p = next ? *next : first;
            const Expected& e = c.expected;
            const auto counters = p.life.CurrentCounters();
            ASSERT_TRUE(counters);
            EXPECT_EQ(counters->steps, e.steps);
            EXPECT_DOUBLE_EQ(counters->seconds, e.seconds);
            EXPECT_EQ(p.game.Heading(), e.heading[static_cast<int>(view)]);
            EXPECT_EQ(p.game.walk().exitReached, e.out);
            // The trail: the start, two cells right, one down, each walked once.
            for (const Cell cell : {Cell{1, 1}, Cell{3, 1}, Cell{5, 1}, Cell{5, 3}}) {
                EXPECT_EQ(p.game.walk().walkGrid(cell.y, cell.x), 1) << cell.x << "," << cell.y;
            }
            if (!e.out) {
                EXPECT_EQ(p.game.walk().playerX, 5);
                EXPECT_EQ(p.game.walk().playerY, 3);
                EXPECT_FALSE(counters->win);
            } else {
                ASSERT_TRUE(counters->win);
                EXPECT_EQ(counters->win->shortest, 4);
                EXPECT_EQ(counters->win->perfect, true);
                EXPECT_EQ(counters->win->helped, e.helped);
                EXPECT_DOUBLE_EQ(counters->win->seconds, e.seconds);
                // A new record is said only of a walk that was recorded.
                EXPECT_EQ(counters->win->fastest, e.recorded != nullptr);
            }
            const std::vector<std::string> keys = e.recorded ? std::vector<std::string>{e.recorded}
                                                             : std::vector<std::string>{};
            EXPECT_EQ(p.records.keys, keys);
        }
    }
}

// A kept game not built yet (a window too small to draw, or the other style's grid on screen) is
// kept as it was read, never as the grid's maze with its moves.
TEST(GameLife, AResumedGameNotYetBuiltIsKeptAsItWasRead) {
    Played p(View::Overview);
    Game other;   // a honeycomb's code, while the square's maze is on screen
    other.SetStyle(MazeStyle::Honeycomb);
    other.NewGame(300);
    other.MakeNewMaze(383 * 15, 279 * 15, [] { return 300.0; }, 0);
    const KeptGame kept{*ParseMazeCode(other.Code()).maze, {3}, 40, 7.5, 4, false};
    p.life.Resume(kept);
    EXPECT_EQ(p.life.ToKeep(), kept);
    EXPECT_FALSE(p.life.TakeResumeStood());
}

TEST(GameLife, TheHintIsTheNextThreeStepsOfTheWayOutAndCountsAsHelp) {
    Played p(View::Plan);
    GameLife::HintPath hint = p.life.TakeHint();
    EXPECT_EQ(hint.directions, (std::vector<int>{kRight, kRight, kDown}));
    EXPECT_EQ(hint.cells, (std::vector<Cell>{{3, 1}, {5, 1}, {5, 3}}));
    EXPECT_TRUE(p.life.Helped());
    // From the second cell: right, down, and out below the grid.
    ASSERT_EQ(p.Step(kRight), StepOutcome::Moved);
    hint = p.life.TakeHint();
    EXPECT_EQ(hint.directions, (std::vector<int>{kRight, kDown, kDown}));
    EXPECT_EQ(hint.cells, (std::vector<Cell>{{5, 1}, {5, 3}, {5, 5}}));
    // Helped: the win is said and not recorded.
    for (int d : {kRight, kDown}) ASSERT_EQ(p.Step(d), StepOutcome::Moved);
    p.WalkOut();
    EXPECT_TRUE(p.life.CurrentCounters()->win->helped);
    EXPECT_TRUE(p.records.keys.empty());
    EXPECT_TRUE(p.life.TakeHint().directions.empty());   // walked out: no hint
}

TEST(GameLife, ANewMazeKeepsTheWalkItThrewAwayToGoBackTo) {
    Played p(View::FirstPerson);
    p.WalkThree();   // 101..103, facing right
    p.now = 110;
    EXPECT_FALSE(p.life.HasLastMaze());
    p.game.ForgetCode();   // as 新游戏 does
    p.life.NewGame(500);
    p.Rebuild();
    ASSERT_NE(p.game.Code(), kCode);
    ASSERT_TRUE(p.life.HasLastMaze());
    const KeptGame& last = *p.life.LastMaze();
    EXPECT_EQ(MazeCode(last.maze), kCode);
    EXPECT_EQ(last.moves, (std::vector<uint8_t>{kRight, kRight, kDown}));
    EXPECT_EQ(last.heading, kRight);
    EXPECT_DOUBLE_EQ(last.seconds, 9);
    // A step on the new maze, then back: the old walk stands again, and the new one is the last.
    p.now = 120;
    const std::string newCode = p.game.Code();
    int d = 0;
    while (d < 4 && p.Step(d) == StepOutcome::Blocked) ++d;
    p.now = 130;
    ASSERT_TRUE(p.life.BackToLastMaze());
    p.Rebuild();
    EXPECT_EQ(p.game.Code(), kCode);
    EXPECT_EQ(p.game.walk().playerX, 5);
    EXPECT_EQ(p.game.walk().playerY, 3);
    EXPECT_EQ(p.game.Heading(), kRight);
    p.now = 135;
    EXPECT_DOUBLE_EQ(p.life.CurrentCounters()->seconds, 9 + 5);
    ASSERT_TRUE(p.life.HasLastMaze());
    EXPECT_EQ(MazeCode(p.life.LastMaze()->maze), newCode);
    // Clear is no new maze: nothing is kept from it.
    ASSERT_TRUE(p.life.BackToLastMaze());
    p.Rebuild();
    p.game.Clear();
    p.life.Follow();
    EXPECT_EQ(MazeCode(p.life.LastMaze()->maze), kCode);
}

// The kept game and the records read back what they wrote on a comma-decimal desktop, where the
// toolkit sets the C library's numbers from the environment.
TEST(GameFiles, NumbersAreTheSameOnACommaDecimalDesktop) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 (locales-all)";
    KeptGame kept{*ParseMazeCode(kCode).maze, {kRight, kRight, kDown}, 40, 12.5, kLeft, true};
    const std::string text = WriteKeptGame(kept);
    const KeptGameResult read = ReadKeptGame(text);
    const RecordEntry entry{3, 61.5, 7, 1};
    const std::string line = Records::WriteEntry(entry);
    const auto entryRead = Records::ReadEntry(line);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_NE(text.find("\nseconds 12.5\n"), std::string::npos) << text;
    ASSERT_TRUE(read.game) << read.error;
    EXPECT_EQ(*read.game, kept);
    EXPECT_EQ(line, "3 61.5 7 1");
    EXPECT_EQ(entryRead, entry);
}

TEST(GameFiles, BrokenKeptGamesSayTheirRealReason) {
    const std::string good = "Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nheading 1\nhelp 0\nmoves 2\nend\n";
    ASSERT_TRUE(ReadKeptGame(good).game);
    std::string crlf;
    for (const char c : good) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::pair<std::string, std::string> cases[] = {
        {crlf, "its lines end in CR LF, not LF"},
        {"Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nheading 1\nhelp 0\nmoves 2211\nend\n",
         "its moves walk out through the exit: a finished game"},
        {"Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nheading 1\nhelp 0\nmoves 22113\nend\n",
         "its moves go on after walking out through the exit"},
        {"Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nheading 1\nhelp 0\nmoves 0\nend\n",
         "its moves go through a wall"},
        {"Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1,5\nheading 1\nhelp 0\nmoves 2\nend\n",
         "its time is not a time"},
        {"Quivra kept game 2\ncode S3x2-33913796-X\ntilt 45\nseconds 1\nheading 4\nhelp 0\nmoves 2\nend\n",
         "its heading is not a direction of the style"},
    };
    for (const auto& [text, reason] : cases) EXPECT_EQ(ReadKeptGame(text).error, reason) << text;
}

TEST(Records, CountersStopAtTheirLargestValue) {
    Records r;
    r.Set("square small", RecordEntry{INT_MAX, 10, 5, INT_MAX});
    const WinReport w = r.Add("square small", 5, 5, 20);
    EXPECT_TRUE(w.perfect);
    EXPECT_EQ(r.Entries().at("square small"), (RecordEntry{INT_MAX, 10, 5, INT_MAX}));
    EXPECT_EQ(Records::ReadEntry(Records::WriteEntry(r.Entries().at("square small"))), r.Entries().at("square small"));
}

TEST(MazeSizes, TheWidestHoneycombOfOnesOwnStaysWithinTheLimit) {
    EXPECT_EQ(*ChosenShape(MazeStyle::Honeycomb, SizeChoice::Custom(kMaxChosenSide, 20)),
              MazeShape::Honeycomb(399, 20));
    EXPECT_EQ(*ChosenShape(MazeStyle::Honeycomb, SizeChoice::Custom(398, 20)), MazeShape::Honeycomb(399, 20));
    EXPECT_EQ(*ChosenShape(MazeStyle::Square, SizeChoice::Custom(kMaxChosenSide, 20)), MazeShape::Square(400, 20));
}

}  // namespace
}  // namespace quivra
