// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/scene.h"

#include <vector>

#include "render/cell_at.h"
#include "render/hex_scene.h"
#include "render/pick.h"
#include "render/square_scene.h"

namespace quivra {

namespace {

// How a style's scene is drawn: its drawing stages, its trail and its correct path, and which cell
// a floor point of it lies in.
struct SceneStyle {
    bool (*isDrawingStage)(uint8_t stage);
    StageReport (*drawStage)(const Game& g, SceneState& s, Canvas& canvas);
    void (*drawTrail)(const Game& g, SceneState& s, Canvas& canvas);
    void (*drawSolution)(const Game& g, SceneState& s, Canvas& canvas);
    std::optional<GridCell> (*cellAt)(const MazeShape& shape, ScenePoint p);
};

constexpr SceneStyle kSquareScene{IsSquareDrawingStage, BuildSquareScene, DrawSquareTrail, DrawSquareSolution,
                                  SquareCellAt};
constexpr SceneStyle kHoneycombScene{IsHexDrawingStage, BuildHexScene, DrawHexTrail, DrawHexSolution, HexCellAt};

const SceneStyle& SceneOf(MazeStyle style) { return style == MazeStyle::Honeycomb ? kHoneycombScene : kSquareScene; }

}  // namespace

PaletteColors GameColours() {
    PaletteColors colours{};
    for (int i = 0; i <= 12; ++i) colours[i] = RGB(i * 256 / 13, i * 256 / 13, i * 256 / 13);
    colours[13] = RGB(255, 255, 0);
    colours[14] = RGB(0, 255, 0);
    colours[15] = RGB(255, 0, 0);
    colours[16] = 0;
    return colours;
}

void SetUpPalette(DeviceContext& dc, PaletteState& p) {
    // A palette display needs the game's own logical palette to show 16 exact colours.
    const int bits = dc.GetDeviceCaps(PLANES) * dc.GetDeviceCaps(BITSPIXEL);
    if (bits >= 31) {
        p.usePalette = false;
    } else {
        int64_t colours = 1;
        for (int i = 0; i < bits; ++i) colours *= 2;
        p.usePalette = colours - dc.GetDeviceCaps(NUMCOLORS) >= 16;
    }
    p.paletteColors = GameColours();
    std::vector<PALETTEENTRY> entries(16);
    for (int i = 0; i < 16; ++i) {
        const COLORREF c = p.paletteColors[i];
        entries[i] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), PC_NOCOLLAPSE};
    }
    p.gamePalette = p.usePalette ? dc.CreatePalette(entries) : 0;
}

void SetUpSceneView(const Game& g, SceneState& s, int widthPixels, int heightPixels) {
    const StyleRules& rules = g.Rules();
    s.SetView(SetupView(g.viewAngle(), rules.sceneWidth(g.maze().cellsX), rules.sceneDepth(g.maze().cellsY), widthPixels,
                        heightPixels));
}

bool IsDrawingStage(MazeStyle style, uint8_t stage) { return SceneOf(style).isDrawingStage(stage); }

StageReport DrawStage(const Game& g, SceneState& s, Canvas& canvas) {
    return SceneOf(g.style()).drawStage(g, s, canvas);
}

void DrawSceneTrail(const Game& g, SceneState& s, Canvas& canvas) { SceneOf(g.style()).drawTrail(g, s, canvas); }

void DrawTrailAndSolution(const Game& g, SceneState& s, Canvas& canvas) {
    SceneOf(g.style()).drawTrail(g, s, canvas);
    if (g.walk().showingSolution) DrawSolution(g, s, canvas);
}

void DrawSolution(const Game& g, SceneState& s, Canvas& canvas) { SceneOf(g.style()).drawSolution(g, s, canvas); }

std::optional<GridCell> CellAt(const MazeShape& shape, ScenePoint p) { return SceneOf(shape.style).cellAt(shape, p); }

std::optional<GridCell> CellUnder(const Game& g, const SceneState& s, double x, double y, double ratio,
                                  int drawHeight) {
    return PickCell(g, s, x, y, ratio, drawHeight);
}

void DrawStep(const StepResult& step, SceneState& s, Canvas& canvas) {
    const HPALETTE previous = SelectGamePalette(canvas.dc, s.palette);
    DrawPathSegment(canvas, step.colour, step.fromX, step.fromY, step.toX, step.toY, s.View());
    RestorePalette(canvas.dc, s.palette, previous);
}

}  // namespace quivra
