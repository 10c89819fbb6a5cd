// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one record of game state the main window owns for the life of the process. It is defined
// here, below app/, because the scene builders draw from it and advance it; the window code
// includes it as app/game_state.h. It is made of small records by what they serve (the maze, the
// player's walk, the build run, the drawing cursor, the view, the palette, the fixed tables), so a
// field's record says which code owns it. Counts, sizes and indices are int: 16-bit fields
// overflow on large screens.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/maze_code.h"
#include "maze/maze_shape.h"
#include "maze/path_step.h"
#include "maze/random.h"
#include "render/projection.h"

namespace quivra {

// buildStage values both styles share: 0 sizes, generates and sets up the view, the builders'
// drawing stages run from 1 up to 4, 5 is a finished scene (or no run), 6 closing.
constexpr uint8_t kStageStart = 0;
constexpr uint8_t kStageFirstDrawing = 1;
constexpr uint8_t kStageFinished = 5;
constexpr uint8_t kStageClosing = 6;

// The maze the grids hold: its shape, the carved grid, the correct path and the seed text it was
// generated from. Stage 0 makes it from the seed text a resize picked; closing releases it.
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
    std::optional<NamedMaze> named;      // when set, stage 0 carves this maze instead of searching

    void SetShape(const MazeShape& shape) {
        cellsX = shape.cellsX;
        cellsY = shape.cellsY;
        gridMaxX = shape.gridMaxX;
        gridMaxY = shape.gridMaxY;
        cellCount = shape.cellCount;
    }
};

// The player's walk: the walked marks, where the player stands (grid and scene), the colour of the
// last line drawn, and whether the exit was reached or the correct path is shown. Walking, the menus
// and a new maze write it; the trail and correct-path drawing set lineColorIndex.
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

// The build run: the stage, whether the timer chain runs, and what stage 0 has to redo. The
// window's handlers start, stop and restart it; the builders move buildStage on and clear the
// requests they have done.
struct BuildState {
    uint8_t buildStage = 0;
    bool drawInProgress = false;
    bool needNewMaze = false;
    bool needViewSetup = false;
    bool wasMinimized = false;
};

// Where the drawing stages are and the shapes they work from; only the scene builders touch it.
struct DrawCursor {
    int drawCol = 0;
    int drawRow = 0;
    uint8_t drawPass = 0;
    double rowOffset = 0;
    std::array<std::array<ScenePoint, 4>, 6> wallTemplate{};
    std::array<std::array<ScenePoint, 3>, 4> jointTemplate{};
    std::array<std::array<ScenePoint, 4>, 6> quadWork{};
};

// The view: the tilt the scroll bar sets and the projection set up from it for the drawing area.
struct ViewState : ViewParams {
    double viewAngle = 45;
};

// The game's 16 colours (plus black) and, on a palette display, its logical palette. Filled at
// load; a drawing stage keeps the palette it replaced in savedPalette, and the selection helpers
// (scene_common.h) are the only writers of paletteResult.
struct PaletteState {
    bool usePalette = false;
    HPALETTE gamePalette = 0;
    HPALETTE savedPalette = 0;
    int32_t paletteResult = 0;   // what the last select or realise returned; kept, never read
    PaletteColors paletteColors{};
};

// The fixed tables, filled once at load and only read after.
struct FixedTables {
    SquareStepTable stepX{};
    SquareStepTable stepY{};
    HexStepTable hexStepX{};
    HexStepTable hexStepY{};
    MixTable mixTableA{};
    MixTable mixTableB{};
    double sqrtThree = 0;
};

struct GameState {
    MazeState maze;
    WalkState walk;
    BuildState build;
    DrawCursor draw;
    ViewState view;
    PaletteState palette;
    FixedTables tables;

    // The view parameters as one value, for the drawing calls.
    const ViewParams& View() const { return view; }
    void SetView(const ViewParams& v) { static_cast<ViewParams&>(view) = v; }
};

}  // namespace quivra
