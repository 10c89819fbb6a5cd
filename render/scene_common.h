// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What both scene builders share: the canvas over the window's device context and the palette
// selection that brackets every drawing step on a palette display.
#include "render/projection.h"
#include "render/scene_state.h"

namespace quivra {

// What one drawing stage of a builder did: the stage the run goes on with, and whether the last
// walls went up (it moved to 5: the finish is due).
struct StageReport {
    uint8_t nextStage = kStageFinished;
    bool reachedEnd = false;
};

// drawHeight: the drawing area's height in pixels (the client area less the status line).
inline Canvas MakeCanvas(DeviceContext& dc, int drawHeight, const SceneState& s) {
    return Canvas{dc, drawHeight, s.palette.usePalette, s.palette.paletteColors};
}

// Selects and realises the game palette; returns the palette it replaced (0 without a palette).
// The game selects its palette only through these two, so they alone write paletteResult.
inline HPALETTE SelectGamePalette(DeviceContext& dc, PaletteState& p) {
    if (!p.usePalette) return 0;
    HPALETTE previous = dc.SelectPalette(p.gamePalette, false);
    p.paletteResult = dc.RealizePalette();
    return previous;
}

inline void RestorePalette(DeviceContext& dc, PaletteState& p, HPALETTE previous) {
    if (!p.usePalette) return;
    p.paletteResult = static_cast<int32_t>(dc.SelectPalette(previous, false));
}

}  // namespace quivra
