// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a game's scene is being drawn: where the run stands, where the drawing stages are, the view
// set up for the drawing area, and the palette. The scene run and its builders own it; the game
// itself (game/game.h) they only read.
#include <array>
#include <cstdint>

#include "game/game.h"
#include "render/gdi.h"
#include "render/projection.h"

namespace quivra {

// buildStage values both styles share: 0 sizes, generates and sets up the view, the drawing
// stages run from 1 up to 4, 5 is a finished scene (or no run), 6 closing.
constexpr uint8_t kStageStart = 0;
constexpr uint8_t kStageFirstDrawing = 1;
constexpr uint8_t kStageFinished = 5;
constexpr uint8_t kStageClosing = 6;

// The build run: the stage, whether the timer chain runs, whether stage 0 sets the view up anew,
// and whether the window was minimised (its restore keeps the maze).
struct BuildState {
    uint8_t buildStage = 0;
    bool drawInProgress = false;
    bool needViewSetup = false;
    bool wasMinimized = false;
    bool newGame = false;   // the run draws a maze the player has not played yet, until it is finished
};

// Where the drawing stages are and the shapes they work from.
struct DrawCursor {
    int drawCol = 0;
    int drawRow = 0;
    uint8_t drawPass = 0;
    double rowOffset = 0;
    std::array<std::array<ScenePoint, 4>, 6> wallTemplate{};
    std::array<std::array<ScenePoint, 3>, 4> jointTemplate{};
    std::array<std::array<ScenePoint, 4>, 6> quadWork{};
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

// The game's colours: 0..12 greys, 13 yellow, 14 green, 15 red, and 16 black.
PaletteColors GameColours();

struct SceneState {
    BuildState build;
    DrawCursor draw;
    ViewParams view;
    PaletteState palette;

    const ViewParams& View() const { return view; }
    void SetView(const ViewParams& v) { view = v; }
};

}  // namespace quivra
