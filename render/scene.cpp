#include "render/scene.h"

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "render/hex_scene.h"
#include "render/square_scene.h"

namespace quivra {

bool NeedsNewMaze(MazeStyle style, const GameState& s) {
    // Grids can be missing when the first showing was minimised: then there is no maze to redraw.
    if (style == MazeStyle::Honeycomb) return s.needNewMaze || !HoldsHexMaze(s);
    return s.needNewMaze || !s.mazeGrid.Exists();
}

void MakeNewMaze(MazeStyle style, GameState& s, DrawAreaTwips area, const Clock& clock, double budget) {
    const bool honeycomb = style == MazeStyle::Honeycomb;
    if (honeycomb && !s.needNewMaze) s.needViewSetup = true;   // a replaced grid needs its own view
    const MazeShape shape =
        honeycomb ? SizeHexGrid(area.width, area.height, s.sqrtThree) : SizeSquareGrid(area.width, area.height);
    s.SetShape(shape);
    s.mazeGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    s.walkGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    s.pathSteps.assign(static_cast<size_t>(shape.cellCount) + 1, PathStep{});
    if (honeycomb) {
        GenerateHexMaze(s.mixTableA, s.mixTableB, s.hexStepX, s.hexStepY, clock, s.seedText, s.mazeGrid, shape,
                        s.pathSteps, budget);
    } else {
        // Only the square builder makes a seed text when none was made (a first showing minimised).
        if (s.seedText.empty()) s.seedText = SeedTextFromSeconds(clock());
        GenerateSquareMaze(s.mixTableA, s.mixTableB, s.stepX, s.stepY, clock, s.seedText, s.mazeGrid, shape,
                           s.pathSteps, budget);
    }
    ResetWalk(style, s);
    s.needNewMaze = false;
}

void SetUpSceneView(MazeStyle style, GameState& s, int widthPixels, int heightPixels) {
    const bool honeycomb = style == MazeStyle::Honeycomb;
    const double width = honeycomb ? HexSceneWidth(s.cellsX, s.sqrtThree) : s.cellsX + 0.25;
    const double depth = honeycomb ? HexSceneDepth(s.cellsY, s.sqrtThree) : s.cellsY + 0.25;
    s.SetView(SetupView(s.viewAngle, width, depth, widthPixels, heightPixels));
    s.needViewSetup = false;
}

bool IsDrawingStage(MazeStyle style, uint8_t stage) {
    return style == MazeStyle::Honeycomb ? IsHexDrawingStage(stage) : IsSquareDrawingStage(stage);
}

StageReport DrawStage(MazeStyle style, GameState& s, Canvas& canvas) {
    return style == MazeStyle::Honeycomb ? BuildHexScene(s, canvas) : BuildSquareScene(s, canvas);
}

StatusLine FinishScene(MazeStyle style, GameState& s, Canvas& canvas) {
    if (style == MazeStyle::Honeycomb) {
        DrawHexTrail(canvas, s, s.gridMaxX, s.gridMaxY, s.walkGrid, s.View());
    } else {
        DrawSquareTrail(canvas, s, s.gridMaxX, s.gridMaxY, s.walkGrid, s.View());
    }
    if (s.showingSolution) {
        DrawSolution(style, canvas, s);
        return StatusLine::Empty;
    }
    return s.exitReached ? StatusLine::Congratulation : StatusLine::WalkingHint;
}

void DrawSolution(MazeStyle style, Canvas& canvas, GameState& s) {
    if (style == MazeStyle::Honeycomb) {
        DrawHexSolution(canvas, s, s.gridMaxY, s.mazeGrid, s.View());
    } else {
        DrawSquareSolution(canvas, s, s.gridMaxY, s.mazeGrid, s.View());
    }
}

void ResetWalk(MazeStyle style, GameState& s) {
    const uint8_t* maze = s.mazeGrid.Data();
    uint8_t* walk = s.walkGrid.Data();
    for (size_t i = 0; i < s.mazeGrid.Size(); ++i) walk[i] = maze[i] != 0 ? 2 : 0;
    if (style == MazeStyle::Honeycomb) {
        s.playerX = 3;
        s.playerY = 2;
        s.playerSceneX = 1.0;
        s.playerSceneY = s.sqrtThree / 2;
    } else {
        s.playerX = 1;
        s.playerY = 1;
        s.playerSceneX = 0.625;
        s.playerSceneY = 0.625;
    }
    s.walkGrid(s.playerY, s.playerX) = 1;
}

}  // namespace quivra
