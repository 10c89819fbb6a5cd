// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game of Quivra, whatever drives it (the window, the tool, the tests): the style and the tilt,
// the named maze, the player's walk and where the build run stands, with the verbs that change
// them. Plain C++: no window, no drawing. Its records keep the game's written names; counts,
// sizes and indices are int, as 16-bit fields overflow on large screens.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/style_rules.h"
#include "game/window_design.h"
#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/maze_code.h"
#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "maze/random.h"

namespace quivra {

// buildStage values both styles share: 0 sizes, generates and sets up the view, the drawing
// stages run from 1 up to 4, 5 is a finished scene (or no run), 6 closing.
constexpr uint8_t kStageStart = 0;
constexpr uint8_t kStageFirstDrawing = 1;
constexpr uint8_t kStageFinished = 5;
constexpr uint8_t kStageClosing = 6;

// Palette indices of the lines over the scene.
constexpr int kStepBackColour = 13;   // yellow: back onto the trail
constexpr int kStepColour = 14;       // green: a new step, and the way out
constexpr int kSolutionColour = 15;   // red: the correct path

// The maze the grids hold: its shape, the carved grid, the correct path and the seed text it was
// generated from. Stage 0 makes it; closing releases it.
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

// The build run: the stage, whether the timer chain runs, and what stage 0 has to redo.
struct BuildState {
    uint8_t buildStage = 0;
    bool drawInProgress = false;
    bool needNewMaze = false;
    bool needViewSetup = false;
    bool wasMinimized = false;
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
};

// The records are open for reading; code outside the game changes them through the verbs (tests
// may set up a situation directly).
class Game {
public:
    Game() { tables.Fill(); }

    MazeState maze;
    WalkState walk;
    BuildState build;
    FixedTables tables;
    MazeStyle style = MazeStyle::Square;
    double viewAngle = 90 - kVScroll1Start;   // the tilt in degrees

    const StyleRules& Rules() const { return RulesOf(style); }

    // ---- the build run ----
    // Start again at stage 0 with the view set up anew (a repaint, a tilt, Clear).
    void Redraw();
    // No run, or the run ends where it is: stage 5 (minimised, too small).
    void StopBuild();
    // Stage 0 must make a new maze: asked for, or the grids hold none this style can draw.
    bool NeedsNewMaze() const;
    // Stage 0's maze: the named one, or the best of the candidates a search finds within budget
    // seconds of clock, sized for a drawing area in twips. The player is put on the start.
    void MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget);
    // The stage the run goes on with, as the builder reported it.
    void SetStage(uint8_t stage) { build.buildStage = stage; }
    // Ends the game for good: closing, Exit. The grids are released.
    void Close();
    // What the status line shows over a finished scene: nothing while the correct path is shown,
    // the congratulation once walked out, else the style's walking hint.
    const std::string& FinishedStatus() const;

    // ---- the player's verbs ----
    // A new maze at the next build, from a seed text made of the clock's reading.
    void NewGame(double secondsSinceMidnight);
    // The maze of a code from now on (the style follows it); a new game of another code or of the
    // clock ends it. At the next build.
    void PlayCode(const NamedMaze& maze);
    void ForgetCode() { maze.named.reset(); }
    // Switches the style; false when it is the style already. The next build makes a new maze.
    bool SetStyle(MazeStyle newStyle);
    // The tilt in degrees; the next build sets the view up for it.
    void Tilt(double degrees);
    // The correct path is shown and walking stops until Clear or a new maze.
    void ShowSolution();
    // The trail cleared and the player back on the start; the scene is drawn again.
    void Clear();
    // Walking is allowed: a finished scene of a maze of this style, no correct path, no exit yet.
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

    // The walk grid as the maze leaves it, with the player on the start cell.
    void ResetWalk();
    // The code of the maze the grids hold, empty when they hold none.
    std::string Code() const;
    bool HasMaze() const { return maze.mazeGrid.Exists() && Rules().holdsMaze(maze); }
};

}  // namespace quivra
