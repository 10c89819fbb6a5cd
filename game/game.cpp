// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include <cmath>
#include <utility>
#include <vector>

#include "game/key_codes.h"
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

bool Game::NeedsNewMaze() const {
    // Grids can be missing when the first showing was minimised: then there is no maze to redraw.
    return maze_.needNewMaze || !Rules().holdsMaze(maze_);
}

void Game::MakeGrids(const MazeShape& shape) {
    maze_.SetShape(shape);
    maze_.mazeGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    walk_.walkGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    maze_.pathSteps.assign(static_cast<size_t>(shape.cellCount) + 1, PathStep{});
}

void Game::MakeNewMaze(double widthTwips, double heightTwips, const Clock& clock, double budget) {
    const StyleRules& rules = Rules();
    const std::optional<MazeShape> chosen = ChosenShape(style_, size_);
    const MazeShape shape =
        maze_.named ? maze_.named->shape : chosen ? *chosen : rules.sizeGrid(widthTwips, heightTwips);
    MakeGrids(shape);
    if (maze_.named) {
        // A maze named by its code: the kept candidate carved again, no search and no clock.
        maze_.keptDigits = maze_.named->digits;
        rules.carve(tables_, maze_.mazeGrid, shape, maze_.pathSteps, maze_.keptDigits);
        rules.solve(tables_, maze_.pathSteps, maze_.mazeGrid, shape);
    } else {
        // A first showing minimised made no seed text.
        if (maze_.seedText.empty()) maze_.seedText = SeedTextFromSeconds(clock());
        maze_.keptDigits =
            rules.generate(tables_, clock, maze_.seedText, maze_.mazeGrid, shape, maze_.pathSteps, budget, 0).bestDigits;
    }
    ResetWalk();
    maze_.needNewMaze = false;
}

void Game::UseMaze(const MazeShape& shape, ByteGrid mazeGrid) {
    style_ = shape.style;
    maze_.SetShape(shape);
    maze_.mazeGrid = std::move(mazeGrid);
    walk_.walkGrid.Redim(shape.gridMaxY, shape.gridMaxX);
    maze_.pathSteps.assign(static_cast<size_t>(shape.cellCount) + 1, PathStep{});
    maze_.named.reset();
    walk_.exitReached = false;
    walk_.showingSolution = false;
    pending_.clear();
    ResetWalk();
    maze_.needNewMaze = false;
}

void Game::Close() {
    maze_.pathSteps.clear();
    maze_.pathSteps.shrink_to_fit();
    walk_.walkGrid.Erase();
    maze_.mazeGrid.Erase();
}

const std::string& Game::FinishedStatus() const {
    static const std::string empty;
    if (walk_.showingSolution) return empty;
    return walk_.exitReached ? kCongratulation : Rules().walkingHint;
}

void Game::NewGame(double secondsSinceMidnight) {
    pending_.clear();
    maze_.needNewMaze = true;
    walk_.exitReached = false;
    walk_.showingSolution = false;
    maze_.seedText = SeedTextFromSeconds(secondsSinceMidnight);
}

void Game::WindowResized(double secondsSinceMidnight) {
    if (!MazeStaysOnResize() || maze_.needNewMaze || !HasMaze()) {
        // A resumed code's walk waits for its first drawing.
        std::vector<uint8_t> resumed = maze_.named ? std::move(pending_) : std::vector<uint8_t>();
        NewGame(secondsSinceMidnight);
        pending_ = std::move(resumed);
        return;
    }
    // The walk is taken again over the new drawing, step by step, as if it were made at this size,
    // the player facing the same way.
    std::vector<uint8_t> moves = WalkMoves();
    const int heading = pending_.empty() ? heading_ : pendingHeading_;
    walk_.exitReached = false;
    ResetWalk();
    if (heading >= 0) heading_ = heading;
    pendingHeading_ = moves.empty() ? -1 : heading;
    --walkNumber_;   // the same walk
    pending_ = std::move(moves);
}

void Game::ResumeCode(const NamedMaze& named, std::vector<uint8_t> moves, int heading) {
    PlayCode(named);
    pending_ = std::move(moves);
    pendingHeading_ = heading;
}

void Game::PlayCode(const NamedMaze& named) {
    pending_.clear();
    maze_.named = named;
    style_ = named.shape.style;
    maze_.needNewMaze = true;
    walk_.exitReached = false;
    walk_.showingSolution = false;
}

bool Game::SetStyle(MazeStyle newStyle) {
    if (newStyle == style_) return false;
    style_ = newStyle;
    pending_.clear();
    if (maze_.named && maze_.named->shape.style != style_) maze_.named.reset();
    walk_.showingSolution = false;
    // The grids still hold the other style's maze: even a resize that builds nothing (a too small
    // window) must leave a request for a new one behind. The new maze has not been walked out of,
    // even when the restore of a minimised window is what builds it.
    maze_.needNewMaze = true;
    walk_.exitReached = false;
    return true;
}

void Game::ShowSolution() {
    walk_.showingSolution = true;
    walk_.lineColorIndex = kSolutionColour;
}

void Game::Clear() {
    pending_.clear();
    walk_.exitReached = false;
    walk_.showingSolution = false;
    // A grid still waiting for its new maze (a style change that built nothing) holds the other
    // style's maze: the new maze puts the player on its own start.
    if (maze_.mazeGrid.Exists() && !maze_.needNewMaze) ResetWalk();
}

bool Game::CanWalk() const {
    // A too-small first window leaves no maze at all, and after a style change that built nothing
    // (minimised or too small) the grid is the old style's.
    return !walk_.showingSolution && !walk_.exitReached && walk_.walkGrid.Exists() && !maze_.needNewMaze;
}

StepResult Game::Step(int direction) {
    StepResult r;
    if (!CanWalk() || direction < 0 || direction >= Rules().directions) return r;
    const StyleRules& rules = Rules();
    const int sx = rules.stepX(tables_, direction);
    const int sy = rules.stepY(tables_, direction);

    // The right border is never crossed; the bottom one is, where the exit opens it.
    const int wx = walk_.playerX + sx;
    const int wy = walk_.playerY + sy;
    if (wx <= 0 || wx >= maze_.gridMaxX || wy <= 0 || wy > maze_.gridMaxY || walk_.walkGrid(wy, wx) == 0) return r;
    const int tx = wx + sx;
    const int ty = wy + sy;
    // Whatever the grid holds, a step never lands outside it or on a closed cell; only the exit
    // leaves it, through the bottom row.
    if (tx < 0 || tx > maze_.gridMaxX || ty < 0 || (ty < maze_.gridMaxY && walk_.walkGrid(ty, tx) == 0)) return r;

    r.fromX = walk_.playerSceneX;
    r.fromY = walk_.playerSceneY;
    if (ty >= maze_.gridMaxY) {
        // Out: a line down to the near edge of the scene.
        r.outcome = StepOutcome::Exited;
        r.colour = walk_.lineColorIndex = kStepColour;
        r.toX = walk_.playerSceneX;
        r.toY = rules.sceneDepth(maze_.cellsY);
        walk_.exitReached = true;
        walk_.playerX = tx;
        walk_.playerY = ty;
        moves_.push_back(static_cast<uint8_t>(direction));
        return r;
    }
    if (walk_.walkGrid(ty, tx) == 1) {
        r.outcome = StepOutcome::MovedBack;
        r.colour = walk_.lineColorIndex = kStepBackColour;
        walk_.walkGrid(walk_.playerY, walk_.playerX) = 3;
    } else {
        r.outcome = StepOutcome::Moved;
        r.colour = walk_.lineColorIndex = kStepColour;
        walk_.walkGrid(ty, tx) = 1;
    }
    double nx = walk_.playerSceneX;
    double ny = walk_.playerSceneY;
    rules.sceneStep(walk_.playerX, walk_.playerY, tx, ty, nx, ny);
    r.toX = nx;
    r.toY = ny;
    walk_.playerX = tx;
    walk_.playerY = ty;
    walk_.playerSceneX = nx;
    walk_.playerSceneY = ny;
    moves_.push_back(static_cast<uint8_t>(direction));
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
    if (!CanWalk() || (cellX == walk_.playerX && cellY == walk_.playerY)) return w;
    const StyleRules& rules = Rules();
    for (int d = 0; d < rules.directions; ++d) {
        const int sx = rules.stepX(tables_, d), sy = rules.stepY(tables_, d);
        // How many cells along direction d the target lies, if it lies on that line at all.
        const int dx = cellX - walk_.playerX, dy = cellY - walk_.playerY;
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
            const int x = walk_.playerX + i * sx, y = walk_.playerY + i * sy;
            if (x <= 0 || x >= maze_.gridMaxX || y <= 0 || y >= maze_.gridMaxY || walk_.walkGrid(y, x) == 0) return w;
        }
        for (int i = 0; i < cells; ++i) w.steps.push_back(Step(d));
        return w;
    }
    return w;
}

void Game::ResetWalk() {
    const StyleRules& rules = Rules();
    const uint8_t* cells = maze_.mazeGrid.Data();
    uint8_t* walked = walk_.walkGrid.Data();
    for (size_t i = 0; i < maze_.mazeGrid.Size(); ++i) walked[i] = cells[i] != 0 ? 2 : 0;
    walk_.playerX = rules.startX;
    walk_.playerY = rules.startY;
    walk_.playerSceneX = rules.startSceneX;
    walk_.playerSceneY = rules.startSceneY;
    walk_.walkGrid(walk_.playerY, walk_.playerX) = 1;
    moves_.clear();
    heading_ = rules.startHeading;
    ++walkNumber_;
}

bool Game::TurnLeft() {
    if (!CanWalk()) return false;
    heading_ = Rules().turnLeft(heading_ % Rules().directions);
    return true;
}

bool Game::TurnRight() {
    if (!CanWalk()) return false;
    heading_ = Rules().turnRight(heading_ % Rules().directions);
    return true;
}

FirstPersonKey FirstPersonKeyOf(int key) {
    switch (key) {
        case vk::kUp: case vk::kPad8: case vk::kW: return FirstPersonKey::Forward;
        case vk::kDown: case vk::kPad2: case vk::kS: return FirstPersonKey::Back;
        case vk::kLeft: case vk::kPad4: case vk::kA: return FirstPersonKey::TurnLeft;
        case vk::kRight: case vk::kPad6: case vk::kD: return FirstPersonKey::TurnRight;
        case vk::kHome: case vk::kEnd: case vk::kPageUp: case vk::kPageDown: case vk::kPad1: case vk::kPad3:
        case vk::kPad7: case vk::kPad9: case vk::kQ: case vk::kE: return FirstPersonKey::OtherWalkingKey;
        default: return FirstPersonKey::None;
    }
}

KeyResult Game::PressFirstPersonKey(int keyCode) {
    KeyResult k;
    if (!CanWalk()) return k;
    const FirstPersonKey key = FirstPersonKeyOf(keyCode);
    if (key == FirstPersonKey::None) return k;
    k.consumed = true;
    switch (key) {
        case FirstPersonKey::Forward: k.step = Forward(); break;
        case FirstPersonKey::Back: k.step = Back(); break;
        case FirstPersonKey::TurnLeft: k.turn = TurnLeft() ? -1 : 0; return k;
        case FirstPersonKey::TurnRight: k.turn = TurnRight() ? 1 : 0; return k;
        default: k.beep = true; return k;
    }
    k.beep = k.step.outcome == StepOutcome::Blocked;
    return k;
}

bool Game::Replay(const std::vector<uint8_t>& moves) {
    for (const uint8_t d : moves) {
        if (Step(d).outcome == StepOutcome::Blocked) return false;
    }
    return true;
}

std::vector<TrailSegment> Game::Trail() const {
    return TrailOf(Rules(), tables_, walk_.walkGrid, maze_.gridMaxX, maze_.gridMaxY, walk_.exitReached);
}

CorrectPath Game::Path() const {
    return CorrectPathOf(Rules(), tables_, maze_.mazeGrid, maze_.gridMaxX, maze_.gridMaxY);
}

int TrailColour(TrailKind kind) { return kind == TrailKind::Back ? kStepBackColour : kStepColour; }

std::vector<TrailSegment> TrailOf(const StyleRules& rules, const FixedTables& tables, const ByteGrid& walkGrid,
                                  int gridMaxX, int gridMaxY, bool exitReached) {
    std::vector<TrailSegment> trail;
    for (int y = rules.firstCellY; y < gridMaxY; y += rules.cellStepY) {
        for (int x = rules.firstCellX(y); x < gridMaxX; x += rules.cellStepX) {
            CellTrail(rules, tables, walkGrid, gridMaxX, gridMaxY, exitReached, x, y, trail);
        }
    }
    return trail;
}

void CellTrail(const StyleRules& rules, const FixedTables& tables, const ByteGrid& walkGrid, int gridMaxX, int gridMaxY,
               bool exitReached, int x, int y, std::vector<TrailSegment>& trail) {
    auto onTrail = [&walkGrid](int cy, int cx) {
        return walkGrid.Contains(cy, cx) && (walkGrid(cy, cx) == 1 || walkGrid(cy, cx) == 3);
    };
    if (!onTrail(y, x)) return;
    for (int d = 0; d < rules.directions; ++d) {
        const int sx = rules.stepX(tables, d), sy = rules.stepY(tables, d);
        const int wx = x + sx, wy = y + sy;
        if (!walkGrid.Contains(wy, wx) || walkGrid(wy, wx) == 0) continue;
        if (wy == 0) {
            trail.push_back({{x, y}, {wx, wy}, d, TrailKind::In});
        } else if (wy == gridMaxY) {
            if (exitReached) trail.push_back({{x, y}, {wx, wy}, d, TrailKind::Out});
        } else {
            // Both cells walked, and the line between them crosses the open slot.
            const int nx = wx + sx, ny = wy + sy;
            if (nx <= 0 || nx >= gridMaxX || ny <= 0 || ny >= gridMaxY || !onTrail(ny, nx)) continue;
            const bool forward = walkGrid(y, x) == 1 && walkGrid(ny, nx) == 1;
            trail.push_back({{x, y}, {nx, ny}, d, forward ? TrailKind::Forward : TrailKind::Back});
        }
    }
}

CorrectPath CorrectPathOf(const StyleRules& rules, const FixedTables& tables, const ByteGrid& mazeGrid, int gridMaxX,
                          int gridMaxY) {
    CorrectPath path;
    if (!mazeGrid.Exists()) return path;
    int x = rules.startX, y = rules.startY;
    int prevX = x, prevY = -y;   // beyond the entrance, so the walk never turns back out of it
    // A marked chain visits each cell once; a grid with a loop of marks must not hold us for ever.
    size_t maxCells = 0;
    for (int cy = rules.firstCellY; cy < gridMaxY; cy += rules.cellStepY)
        for (int cx = rules.firstCellX(cy); cx < gridMaxX; cx += rules.cellStepX) ++maxCells;
    while (path.cells.size() < maxCells) {
        path.cells.push_back({x, y});
        int taken = -1, nx = 0, ny = 0;
        for (int d = 0; d < rules.directions && taken < 0; ++d) {
            const int sx = rules.stepX(tables, d), sy = rules.stepY(tables, d);
            if (!mazeGrid.Contains(y + sy, x + sx) || mazeGrid(y + sy, x + sx) != 1) continue;
            nx = x + 2 * sx, ny = y + 2 * sy;
            if (nx == prevX && ny == prevY) continue;
            // Outside the field only the way down through the exit counts.
            if (y + sy < gridMaxY && (nx <= 0 || nx >= gridMaxX || ny <= 0 || ny >= gridMaxY)) continue;
            taken = d;
        }
        if (taken < 0) break;
        path.directions.push_back(taken);
        if (y + rules.stepY(tables, taken) >= gridMaxY) break;   // out through the exit
        prevX = x, prevY = y;
        x = nx, y = ny;
    }
    return path;
}

std::string Game::Code() const {
    if (!HasMaze()) return {};
    return MazeCode({MazeShape::Of(style_, maze_.cellsX, maze_.cellsY), maze_.keptDigits});
}

}  // namespace quivra
