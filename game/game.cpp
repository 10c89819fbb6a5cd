// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include <cmath>

#include "game/texts.h"

namespace quivra {

void FixedTables::Fill() {
    FillMixTables(mixTableB, mixTableA);
    FillHexStepTables(hexStepX, hexStepY);
    FillSquareStepTables(stepX, stepY);
    sqrtThree = std::sqrt(3.0);
}

const FixedTables& SharedTables() {
    static const FixedTables tables = [] {
        FixedTables t;
        t.Fill();
        return t;
    }();
    return tables;
}

void Game::Redraw() {
    build.needViewSetup = true;
    build.buildStage = kStageStart;
}

void Game::StopBuild() {
    build.buildStage = kStageFinished;
    build.drawInProgress = false;
}

bool Game::NeedsNewMaze() const {
    // Grids can be missing when the first showing was minimised: then there is no maze to redraw.
    return build.needNewMaze || !Rules().holdsMaze(maze);
}

void Game::MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget) {
    const StyleRules& rules = Rules();
    if (!build.needNewMaze) build.needViewSetup = true;   // a replaced grid needs its own view
    const MazeShape shape = maze.named ? maze.named->shape : rules.sizeGrid(widthTwips, heightTwips);
    maze.SetShape(shape);
    maze.mazeGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    walk.walkGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    maze.pathSteps.assign(static_cast<size_t>(shape.cellCount) + 1, PathStep{});
    if (maze.named) {
        // A maze named by its code: the kept candidate carved again, no search and no clock.
        maze.keptDigits = maze.named->digits;
        rules.carve(tables, maze.mazeGrid, shape, maze.pathSteps, maze.keptDigits);
        rules.solve(tables, maze.pathSteps, maze.mazeGrid, shape);
    } else {
        // A first showing minimised made no seed text.
        if (maze.seedText.empty()) maze.seedText = SeedTextFromSeconds(clock());
        maze.keptDigits =
            rules.generate(tables, clock, maze.seedText, maze.mazeGrid, shape, maze.pathSteps, budget, 0).bestDigits;
    }
    ResetWalk();
    build.needNewMaze = false;
}

void Game::Close() {
    build.buildStage = kStageClosing;
    maze.pathSteps.clear();
    maze.pathSteps.shrink_to_fit();
    walk.walkGrid.Erase();
    maze.mazeGrid.Erase();
}

const std::string& Game::FinishedStatus() const {
    static const std::string empty;
    if (walk.showingSolution) return empty;
    return walk.exitReached ? kCongratulation : Rules().walkingHint;
}

void Game::NewGame(double secondsSinceMidnight) {
    build.needNewMaze = true;
    walk.exitReached = false;
    walk.showingSolution = false;
    maze.seedText = SeedTextFromSeconds(secondsSinceMidnight);
}

void Game::PlayCode(const NamedMaze& named) {
    maze.named = named;
    style = named.shape.style;
    build.needNewMaze = true;
    walk.exitReached = false;
    walk.showingSolution = false;
}

bool Game::SetStyle(MazeStyle newStyle) {
    if (newStyle == style) return false;
    style = newStyle;
    if (maze.named && maze.named->shape.style != style) maze.named.reset();
    walk.showingSolution = false;
    // The grids still hold the other style's maze: even a resize that builds nothing (a too small
    // window) must leave a request for a new one behind. The new maze has not been walked out of,
    // even when the restore of a minimised window is what builds it.
    build.needNewMaze = true;
    walk.exitReached = false;
    return true;
}

void Game::Tilt(double degrees) {
    viewAngle = degrees;
    Redraw();
}

void Game::ShowSolution() {
    walk.showingSolution = true;
    walk.lineColorIndex = kSolutionColour;
}

void Game::Clear() {
    walk.exitReached = false;
    walk.showingSolution = false;
    Redraw();
    // A grid still waiting for its new maze (a style change that built nothing) holds the other
    // style's maze: the new maze puts the player on its own start.
    if (maze.mazeGrid.Exists() && !build.needNewMaze) ResetWalk();
}

bool Game::CanWalk() const {
    // A too-small first window finishes with no maze at all, and after a style change that built
    // nothing (minimised or too small) the grid is the old style's.
    return build.buildStage == kStageFinished && !walk.showingSolution && !walk.exitReached &&
           walk.walkGrid.Exists() && !build.needNewMaze;
}

StepResult Game::Step(int direction) {
    StepResult r;
    if (!CanWalk() || direction < 0 || direction >= Rules().directions) return r;
    const StyleRules& rules = Rules();
    const int sx = rules.stepX(tables, direction);
    const int sy = rules.stepY(tables, direction);

    // The right border is never crossed; the bottom one is, where the exit opens it.
    const int wx = walk.playerX + sx;
    const int wy = walk.playerY + sy;
    if (wx <= 0 || wx >= maze.gridMaxX || wy <= 0 || wy > maze.gridMaxY || walk.walkGrid(wy, wx) == 0) return r;
    const int tx = wx + sx;
    const int ty = wy + sy;
    // Whatever the grid holds, a step never lands outside it or on a closed cell; only the exit
    // leaves it, through the bottom row.
    if (tx < 0 || tx > maze.gridMaxX || ty < 0 || (ty < maze.gridMaxY && walk.walkGrid(ty, tx) == 0)) return r;

    r.fromX = walk.playerSceneX;
    r.fromY = walk.playerSceneY;
    if (ty >= maze.gridMaxY) {
        // Out: a line down to the near edge of the scene.
        r.outcome = StepOutcome::Exited;
        r.colour = walk.lineColorIndex = kStepColour;
        r.toX = walk.playerSceneX;
        r.toY = rules.sceneDepth(maze.cellsY);
        walk.exitReached = true;
        walk.playerX = tx;
        walk.playerY = ty;
        return r;
    }
    if (walk.walkGrid(ty, tx) == 1) {
        r.outcome = StepOutcome::MovedBack;
        r.colour = walk.lineColorIndex = kStepBackColour;
        walk.walkGrid(walk.playerY, walk.playerX) = 3;
    } else {
        r.outcome = StepOutcome::Moved;
        r.colour = walk.lineColorIndex = kStepColour;
        walk.walkGrid(ty, tx) = 1;
    }
    double nx = walk.playerSceneX;
    double ny = walk.playerSceneY;
    rules.sceneStep(walk.playerX, walk.playerY, tx, ty, nx, ny);
    r.toX = nx;
    r.toY = ny;
    walk.playerX = tx;
    walk.playerY = ty;
    walk.playerSceneX = nx;
    walk.playerSceneY = ny;
    return r;
}

KeyResult Game::PressKey(int keyCode) {
    KeyResult k;
    if (!CanWalk()) return k;
    const int direction = Rules().keyDirection(keyCode);
    if (direction == kNotAKey) return k;
    k.consumed = true;
    if (direction == kBeepKey) {
        k.beep = true;
        return k;
    }
    k.step = Step(direction);
    k.beep = k.step.outcome == StepOutcome::Blocked;
    return k;
}

Game::WalkResult Game::WalkTo(int cellX, int cellY) {
    WalkResult w;
    if (!CanWalk() || (cellX == walk.playerX && cellY == walk.playerY)) return w;
    const StyleRules& rules = Rules();
    for (int d = 0; d < rules.directions; ++d) {
        const int sx = rules.stepX(tables, d), sy = rules.stepY(tables, d);
        // How many cells along direction d the target lies, if it lies on that line at all.
        const int dx = cellX - walk.playerX, dy = cellY - walk.playerY;
        int cells = 0;
        if (sx != 0) {
            if (dx % (2 * sx) != 0) continue;
            cells = dx / (2 * sx);
        } else if (dx != 0) {
            continue;
        }
        if (sy != 0) {
            if (dy % (2 * sy) != 0 || (sx != 0 && dy / (2 * sy) != cells)) continue;
            cells = dy / (2 * sy);
        } else if (dy != 0) {
            continue;
        }
        if (cells < 1) continue;
        if (cells == 1) {
            // The neighbour: exactly what its key does, the beep against a wall included.
            const StepResult step = Step(d);
            w.beep = step.outcome == StepOutcome::Blocked;
            if (!w.beep) w.steps.push_back(step);
            return w;
        }
        // Further away: only along an open line, and then every step of it.
        for (int i = 1; i <= 2 * cells; ++i) {
            const int x = walk.playerX + i * sx, y = walk.playerY + i * sy;
            if (x <= 0 || x >= maze.gridMaxX || y <= 0 || y >= maze.gridMaxY || walk.walkGrid(y, x) == 0) return w;
        }
        for (int i = 0; i < cells; ++i) w.steps.push_back(Step(d));
        return w;
    }
    return w;
}

void Game::ResetWalk() {
    const StyleRules& rules = Rules();
    const uint8_t* cells = maze.mazeGrid.Data();
    uint8_t* walked = walk.walkGrid.Data();
    for (size_t i = 0; i < maze.mazeGrid.Size(); ++i) walked[i] = cells[i] != 0 ? 2 : 0;
    walk.playerX = rules.startX;
    walk.playerY = rules.startY;
    walk.playerSceneX = rules.startSceneX;
    walk.playerSceneY = rules.startSceneY;
    walk.walkGrid(walk.playerY, walk.playerX) = 1;
}

std::string Game::Code() const {
    if (!HasMaze()) return {};
    return MazeCode({MazeShape::Of(style, maze.cellsX, maze.cellsY), maze.keptDigits});
}

}  // namespace quivra
