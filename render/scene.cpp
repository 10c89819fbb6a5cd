// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/scene.h"

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "render/hex_scene.h"
#include "render/square_scene.h"

namespace quivra {

bool NeedsNewMaze(MazeStyle style, const GameState& s) {
    // Grids can be missing when the first showing was minimised: then there is no maze to redraw.
    if (style == MazeStyle::Honeycomb) return s.build.needNewMaze || !HoldsHexMaze(s);
    return s.build.needNewMaze || !s.maze.mazeGrid.Exists();
}

void MakeNewMaze(MazeStyle style, GameState& s, DrawAreaTwips area, const Clock& clock, double budget) {
    const bool honeycomb = style == MazeStyle::Honeycomb;
    if (honeycomb && !s.build.needNewMaze) s.build.needViewSetup = true;   // a replaced grid needs its own view
    const MazeShape shape = s.maze.named                ? s.maze.named->shape
                            : honeycomb                    ? SizeHexGrid(area.width, area.height, s.tables.sqrtThree)
                                                           : SizeSquareGrid(area.width, area.height);
    s.maze.SetShape(shape);
    s.maze.mazeGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    s.walk.walkGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    s.maze.pathSteps.assign(static_cast<size_t>(shape.cellCount) + 1, PathStep{});
    if (s.maze.named) {
        // A maze named by its code: the kept candidate carved again, no search and no clock.
        s.maze.keptDigits = s.maze.named->digits;
        if (honeycomb) {
            CarveHexMaze(s.tables.hexStepX, s.tables.hexStepY, s.maze.mazeGrid, shape, s.maze.pathSteps,
                         s.maze.keptDigits);
            SolveHexMaze(s.tables.hexStepX, s.tables.hexStepY, s.maze.pathSteps, s.maze.mazeGrid, shape);
        } else {
            CarveSquareMaze(s.tables.stepX, s.tables.stepY, s.maze.mazeGrid, shape, s.maze.pathSteps,
                            s.maze.keptDigits);
            SolveSquareMaze(s.tables.stepX, s.tables.stepY, s.maze.pathSteps, s.maze.mazeGrid, shape);
        }
    } else if (honeycomb) {
        s.maze.keptDigits = GenerateHexMaze(s.tables.mixTableA, s.tables.mixTableB, s.tables.hexStepX,
                                            s.tables.hexStepY, clock, s.maze.seedText, s.maze.mazeGrid, shape,
                                            s.maze.pathSteps, budget)
                                .bestDigits;
    } else {
        // Only the square builder makes a seed text when none was made (a first showing minimised).
        if (s.maze.seedText.empty()) s.maze.seedText = SeedTextFromSeconds(clock());
        s.maze.keptDigits = GenerateSquareMaze(s.tables.mixTableA, s.tables.mixTableB, s.tables.stepX,
                                               s.tables.stepY, clock, s.maze.seedText, s.maze.mazeGrid, shape,
                                               s.maze.pathSteps, budget)
                                .bestDigits;
    }
    ResetWalk(style, s);
    s.build.needNewMaze = false;
}

void SetUpSceneView(MazeStyle style, GameState& s, int widthPixels, int heightPixels) {
    const bool honeycomb = style == MazeStyle::Honeycomb;
    const double width = honeycomb ? HexSceneWidth(s.maze.cellsX, s.tables.sqrtThree) : s.maze.cellsX + 0.25;
    const double depth = honeycomb ? HexSceneDepth(s.maze.cellsY, s.tables.sqrtThree) : s.maze.cellsY + 0.25;
    s.SetView(SetupView(s.view.viewAngle, width, depth, widthPixels, heightPixels));
    s.build.needViewSetup = false;
}

bool IsDrawingStage(MazeStyle style, uint8_t stage) {
    return style == MazeStyle::Honeycomb ? IsHexDrawingStage(stage) : IsSquareDrawingStage(stage);
}

StageReport DrawStage(MazeStyle style, GameState& s, Canvas& canvas) {
    return style == MazeStyle::Honeycomb ? BuildHexScene(s, canvas) : BuildSquareScene(s, canvas);
}

StatusLine FinishScene(MazeStyle style, GameState& s, Canvas& canvas) {
    if (style == MazeStyle::Honeycomb) {
        DrawHexTrail(canvas, s, s.maze.gridMaxX, s.maze.gridMaxY, s.walk.walkGrid, s.View());
    } else {
        DrawSquareTrail(canvas, s, s.maze.gridMaxX, s.maze.gridMaxY, s.walk.walkGrid, s.View());
    }
    if (s.walk.showingSolution) {
        DrawSolution(style, canvas, s);
        return StatusLine::Empty;
    }
    return s.walk.exitReached ? StatusLine::Congratulation : StatusLine::WalkingHint;
}

void DrawSolution(MazeStyle style, Canvas& canvas, GameState& s) {
    if (style == MazeStyle::Honeycomb) {
        DrawHexSolution(canvas, s, s.maze.gridMaxY, s.maze.mazeGrid, s.View());
    } else {
        DrawSquareSolution(canvas, s, s.maze.gridMaxY, s.maze.mazeGrid, s.View());
    }
}

void ResetWalk(MazeStyle style, GameState& s) {
    const uint8_t* maze = s.maze.mazeGrid.Data();
    uint8_t* walk = s.walk.walkGrid.Data();
    for (size_t i = 0; i < s.maze.mazeGrid.Size(); ++i) walk[i] = maze[i] != 0 ? 2 : 0;
    if (style == MazeStyle::Honeycomb) {
        s.walk.playerX = 3;
        s.walk.playerY = 2;
        s.walk.playerSceneX = 1.0;
        s.walk.playerSceneY = s.tables.sqrtThree / 2;
    } else {
        s.walk.playerX = 1;
        s.walk.playerY = 1;
        s.walk.playerSceneX = 0.625;
        s.walk.playerSceneY = 0.625;
    }
    s.walk.walkGrid(s.walk.playerY, s.walk.playerX) = 1;
}

}  // namespace quivra
