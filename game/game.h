// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game of Quivra, whatever drives it (the window, the tool, the tests): the style and the tilt,
// the named maze, the player's walk and its log of moves, with the verbs that change them. How a
// scene of it is built and drawn is the scene run's (render/scene_run.h). Plain C++: no window, no
// drawing. Its records keep the game's written names and are read-only from outside; counts,
// sizes and indices are int, as 16-bit fields overflow on large screens.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/maze_sizes.h"
#include "game/style_rules.h"
#include "game/window_design.h"
#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/maze_code.h"
#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "maze/random.h"

namespace quivra {

// Palette indices of the lines over the scene.
constexpr int kStepBackColour = 13;   // yellow: back onto the trail
constexpr int kStepColour = 14;       // green: a new step, and the way out
constexpr int kSolutionColour = 15;   // red: the correct path

// The maze the grids hold: its shape, the carved grid, the correct path and the seed text it was
// generated from. Stage 0 makes it; closing releases it. needNewMaze: the next build makes a new
// one (a new game, another style or code) instead of drawing this one again.
struct MazeState {
    int cellsX = 0;
    int cellsY = 0;
    int gridMaxX = 0;
    int gridMaxY = 0;
    int cellCount = 0;
    ByteGrid mazeGrid;
    PathSteps pathSteps;
    std::string seedText;
    SeedDigits keptDigits{};             // what the kept candidate was carved from (its maze code)
    std::optional<NamedMaze> named;      // when set, a new maze is this one, carved without a search
    bool needNewMaze = false;

    void SetShape(const MazeShape& shape) {
        cellsX = shape.cellsX;
        cellsY = shape.cellsY;
        gridMaxX = shape.gridMaxX;
        gridMaxY = shape.gridMaxY;
        cellCount = shape.cellCount;
    }
};

// The player's walk: the walked marks, where the player stands (grid and scene), the colour of the
// last line drawn, and whether the exit was reached or the correct path is shown.
struct WalkState {
    ByteGrid walkGrid;
    int playerX = 0;
    int playerY = 0;
    double playerSceneX = 0;
    double playerSceneY = 0;
    int lineColorIndex = 0;
    bool exitReached = false;
    bool showingSolution = false;
};

// The fixed tables, filled once and only read after.
struct FixedTables {
    SquareStepTable stepX{};
    SquareStepTable stepY{};
    HexStepTable hexStepX{};
    HexStepTable hexStepY{};
    MixTable mixTableA{};
    MixTable mixTableB{};
    double sqrtThree = 0;

    void Fill();
};

// One filled set, for code that runs the generators outside a game (the tool).
const FixedTables& SharedTables();

// What a step did.
enum class StepOutcome {
    Blocked,     // a wall, the border, or no walking now: nothing changed
    Moved,       // onto a new cell: the trail grows (green)
    MovedBack,   // back onto the trail (yellow)
    Exited,      // out through the exit: the game is won
};

// A step and the line it draws, in scene units, in palette colour `colour`.
struct StepResult {
    StepOutcome outcome = StepOutcome::Blocked;
    int colour = 0;
    double fromX = 0, fromY = 0, toX = 0, toY = 0;
};

// What a key press did: whether the game took the key (a walking key of any style, while walking
// is allowed), whether it beeps (another style's key, or a blocked step), and the step.
struct KeyResult {
    bool consumed = false;
    bool beep = false;
    StepResult step;
    int turn = 0;   // standing in the maze: -1 turned left, +1 right
};

// What a key means to a player standing in the maze, whatever the style.
enum class FirstPersonKey { None, Forward, Back, TurnLeft, TurnRight, OtherWalkingKey };
FirstPersonKey FirstPersonKeyOf(int keyCode);

// A raster position: a cell, or a wall slot between two.
struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell&) const = default;
};

// What one half of a trail line means: a step forward between two walked cells (green), a step
// back (yellow: one of the two was stepped back from), the way in from the entrance or out
// through the exit (green).
enum class TrailKind : uint8_t { In, Forward, Back, Out };
int TrailColour(TrailKind kind);

// One half of a trail line, drawn from `from` towards `to`: between two cells it runs to the wall
// slot half way, and the other cell draws the other half; for In and Out `to` is the opening in
// the outer wall. In raster order of `from`, then the style's base directions.
struct TrailSegment {
    Cell from;
    Cell to;
    int direction = 0;
    TrailKind kind = TrailKind::Forward;
    bool operator==(const TrailSegment&) const = default;
};

// The correct path: its cells from the start, and the base direction of each step from one to the
// next; when it reaches the exit, the last direction leads out through it.
struct CorrectPath {
    std::vector<Cell> cells;
    std::vector<int> directions;
    bool ReachesExit() const { return !cells.empty() && directions.size() == cells.size(); }
};

// The trail that walk marks (1 walked, 3 stepped back from) leave on a grid of that extent, and the
// correct path that the maze's marks (1) lay out; a grid without a full chain of marks gives the
// path as far as the marks go. Game::Trail and Game::Path give them for the game's own grids.
std::vector<TrailSegment> TrailOf(const StyleRules& rules, const FixedTables& tables, const ByteGrid& walkGrid,
                                  int gridMaxX, int gridMaxY, bool exitReached);
// The segments TrailOf gives for the one cell (x, y), appended to `out` in the style's base directions.
void CellTrail(const StyleRules& rules, const FixedTables& tables, const ByteGrid& walkGrid, int gridMaxX, int gridMaxY,
               bool exitReached, int x, int y, std::vector<TrailSegment>& out);
CorrectPath CorrectPathOf(const StyleRules& rules, const FixedTables& tables, const ByteGrid& mazeGrid, int gridMaxX,
                          int gridMaxY);

// The records are read-only from outside: everything changes them through the verbs.
class Game {
public:
    Game() { tables_.Fill(); }

    const MazeState& maze() const { return maze_; }
    const WalkState& walk() const { return walk_; }
    const FixedTables& tables() const { return tables_; }
    MazeStyle style() const { return style_; }
    double viewAngle() const { return viewAngle_; }   // the tilt in degrees
    // Every step taken since the maze was made or cleared, a base direction each.
    const std::vector<uint8_t>& Moves() const { return moves_; }
    // The walk as the player made it: the moves, or while a redraw waits to take them again, those.
    const std::vector<uint8_t>& WalkMoves() const { return pending_.empty() ? moves_ : pending_; }
    // Counts walks begun afresh (a new maze, Clear): a walk taken again after a resize is the same.
    uint32_t WalkNumber() const { return walkNumber_; }
    // What size new mazes are carved at.
    const SizeChoice& Size() const { return size_; }

    const StyleRules& Rules() const { return RulesOf(style_); }

    // ---- the maze ----
    // The next build must make a new maze: asked for, or the grids hold none this style can draw.
    bool NeedsNewMaze() const;
    // The maze: the named one, or the best of the candidates a search finds within budget
    // seconds of clock, sized for a drawing area in twips. The player is put on the start.
    void MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget);
    // A maze given whole, as the grid of its shape (cells, slots, and the correct path marked 1):
    // a hand-made maze for a test or a puzzle. Its style becomes the game's; the player is put on
    // the start.
    void UseMaze(const MazeShape& shape, ByteGrid mazeGrid);
    // Ends the game for good: closing, Exit. The grids are released.
    void Close();
    // What the status line shows over a finished scene: nothing while the correct path is shown,
    // the congratulation once walked out, else the style's walking hint.
    const std::string& FinishedStatus() const;

    // ---- the player's verbs ----
    // A new maze at the next build, from a seed text made of the clock's reading.
    void NewGame(double secondsSinceMidnight);
    // New mazes at this size from now on (the next new game).
    void ChooseSize(const SizeChoice& choice) { size_ = choice; }
    // The window took another size: a maze that does not follow the window (a chosen size, a
    // code's) stays, and its walk is taken again once the scene is drawn anew; a window-sized one
    // becomes a new game.
    void WindowResized(double secondsSinceMidnight);
    // The maze stays whatever the window's size.
    bool MazeStaysOnResize() const { return maze_.named.has_value() || !size_.FitsWindow(); }
    // A code's maze with a walk to take again once its scene is drawn (a kept game resumed).
    void ResumeCode(const NamedMaze& maze, std::vector<uint8_t> moves, int heading = -1);
    // A walk waits to be taken again: each of its steps, as Step makes it, to draw; the walk is
    // left as far as it goes (false when a move does not step). The correct path, when shown,
    // stays shown.
    bool HasWalkToReplay() const { return !pending_.empty(); }
    template <class DrawStep>
    bool ReplayWalk(DrawStep&& draw);
    // No correct path shown (a new game leaves it).
    void HideSolution() { walk_.showingSolution = false; }
    // The maze of a code from now on (the style follows it); a new game of another code or of the
    // clock ends it. At the next build.
    void PlayCode(const NamedMaze& maze);
    void ForgetCode() { maze_.named.reset(); }
    // Switches the style; false when it is the style already. The next build makes a new maze.
    bool SetStyle(MazeStyle newStyle);
    // The tilt in degrees, for the next view set up.
    void Tilt(double degrees) { viewAngle_ = degrees; }
    // The correct path is shown and walking stops until Clear or a new maze.
    void ShowSolution();
    // The trail cleared and the player back on the start.
    void Clear();
    // Walking is allowed: a maze of this style, no correct path shown, not walked out yet. (The
    // window also waits for its scene to be finished; that is the run's.)
    bool CanWalk() const;
    // One step in base direction `direction` of the style.
    StepResult Step(int direction);
    // A key: the step of the direction the style walks by it.
    KeyResult PressKey(int keyCode);
    // A cell pointed at (raster position of a cell): the neighbour steps there as its key would
    // (a wall beeps); a cell further along a straight open corridor is walked to step by step;
    // anything else does nothing.
    struct WalkResult {
        std::vector<StepResult> steps;
        bool beep = false;
    };
    WalkResult WalkTo(int cellX, int cellY);
    // The moves of a log taken again, each as Step takes it; false at the first move that is not a
    // direction of the style or does not step (the walk stays as far as it got).
    bool Replay(const std::vector<uint8_t>& moves);

    // ---- standing in the maze ----
    // The way the player faces, a base direction of the style; a new maze and Clear face the start's.
    int Heading() const { return heading_; }
    // A turn on the spot while walking is allowed; false when refused.
    bool TurnLeft();
    bool TurnRight();
    // A step the way the player faces, or back the other way still facing it.
    StepResult Forward() { return Step(heading_); }
    StepResult Back() { return Step(Rules().behind(heading_)); }
    // A key as the first-person view reads it: forward, back, a turn; the other walking keys beep.
    KeyResult PressFirstPersonKey(int keyCode);

    // The walk's lines and the correct path, for every view to project.
    std::vector<TrailSegment> Trail() const;
    CorrectPath Path() const;

    // The code of the maze the grids hold, empty when they hold none.
    std::string Code() const;
    bool HasMaze() const { return maze_.mazeGrid.Exists() && Rules().holdsMaze(maze_); }

private:
    // The walk grid as the maze leaves it, with the player on the start cell and no moves.
    void ResetWalk();
    void MakeGrids(const MazeShape& shape);

    MazeState maze_;
    WalkState walk_;
    FixedTables tables_;
    std::vector<uint8_t> moves_;
    int heading_ = 1;
    std::vector<uint8_t> pending_;   // a walk to take again when the scene is drawn
    int pendingHeading_ = -1;        // and the way the player faced (-1: the start's)
    SizeChoice size_;
    uint32_t walkNumber_ = 0;
    MazeStyle style_ = MazeStyle::Square;
    double viewAngle_ = 90 - kVScroll1Start;
};

template <class DrawStep>
bool Game::ReplayWalk(DrawStep&& draw) {
    std::vector<uint8_t> moves = std::move(pending_);
    pending_.clear();
    const bool showing = walk_.showingSolution;
    walk_.showingSolution = false;
    bool whole = true;
    for (const uint8_t d : moves) {
        const StepResult step = Step(d);
        if (step.outcome == StepOutcome::Blocked) {
            whole = false;
            break;
        }
        draw(step);
    }
    walk_.showingSolution = showing;
    if (showing) walk_.lineColorIndex = kSolutionColour;
    if (pendingHeading_ >= 0 && pendingHeading_ < Rules().directions) heading_ = pendingHeading_;
    pendingHeading_ = -1;
    return whole;
}

}  // namespace quivra
