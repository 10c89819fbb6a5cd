#pragma once
// The one record of game state the main window owns for the life of the process. It is defined
// here, below app/, because the scene builders draw from it and advance it; the window code
// includes it as app/game_state.h. Counts, sizes and indices are int: 16-bit fields overflow on
// large screens.
#include <array>
#include <cstdint>
#include <string>

#include "maze/directions.h"
#include "maze/grid.h"
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

struct GameState {
    bool drawInProgress = false;
    std::array<std::array<ScenePoint, 4>, 6> wallTemplate{};
    std::array<std::array<ScenePoint, 3>, 4> jointTemplate{};
    ByteGrid mazeGrid;
    double viewCos = 0;
    int lineColorIndex = 0;
    HexStepTable hexStepX{};
    HexStepTable hexStepY{};
    int gridMaxX = 0;
    int gridMaxY = 0;
    bool wasMinimized = false;
    int cellsX = 0;
    int32_t paletteResult = 0;
    int cellCount = 0;
    int cellsY = 0;
    HPALETTE savedPalette = 0;
    bool needViewSetup = false;
    HPALETTE gamePalette = 0;
    double scaleX = 0;
    double scaleY = 0;
    std::array<std::array<ScenePoint, 4>, 6> quadWork{};
    PaletteColors paletteColors{};
    double viewSpan = 0;
    bool needNewMaze = false;
    std::string seedText;
    double viewSin = 0;
    bool showingSolution = false;
    SquareStepTable stepX{};
    SquareStepTable stepY{};
    double sqrtThree = 0;
    PathSteps pathSteps;
    uint8_t buildStage = 0;
    MixTable mixTableB{};
    MixTable mixTableA{};
    double viewAngle = 45;
    bool usePalette = false;
    bool exitReached = false;
    ByteGrid walkGrid;
    int playerX = 0;
    double playerSceneX = 0;
    int playerY = 0;
    double playerSceneY = 0;
    int drawCol = 0;
    double sceneWidth = 0;
    double widthRatio = 0;
    int drawRow = 0;
    double sceneDepth = 0;
    uint8_t drawPass = 0;
    double rowOffset = 0;

    void SetShape(const MazeShape& shape) {
        cellsX = shape.cellsX;
        cellsY = shape.cellsY;
        gridMaxX = shape.gridMaxX;
        gridMaxY = shape.gridMaxY;
        cellCount = shape.cellCount;
    }

    // The view parameters as one value, for the drawing calls.
    ViewParams View() const {
        return {sceneWidth, widthRatio, sceneDepth, scaleX, scaleY, viewCos, viewSin, viewSpan};
    }
    void SetView(const ViewParams& v) {
        sceneWidth = v.sceneWidth;
        widthRatio = v.widthRatio;
        sceneDepth = v.sceneDepth;
        scaleX = v.scaleX;
        scaleY = v.scaleY;
        viewCos = v.viewCos;
        viewSin = v.viewSin;
        viewSpan = v.viewSpan;
    }
};

}  // namespace quivra
