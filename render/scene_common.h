#pragma once
// What both scene builders share: the canvas of the window and the palette selection that
// brackets every drawing step on a palette display.
#include "app/form_host.h"
#include "app/game_state.h"
#include "render/projection.h"

namespace quivra {

inline Canvas MakeCanvas(FormHost& host, const GameState& s) {
    return Canvas{host.hDC(), DrawAreaHeightPixels(host), s.usePalette, s.paletteColors};
}

// Selects and realises the game palette; returns the palette it replaced (0 without a palette).
inline HPALETTE SelectGamePalette(DeviceContext& dc, GameState& s) {
    if (!s.usePalette) return 0;
    HPALETTE previous = dc.SelectPalette(s.gamePalette, false);
    s.paletteResult = dc.RealizePalette();
    return previous;
}
inline HPALETTE SelectGamePalette(FormHost& host, GameState& s) { return SelectGamePalette(host.hDC(), s); }

inline void RestorePalette(DeviceContext& dc, GameState& s, HPALETTE previous) {
    if (!s.usePalette) return;
    s.paletteResult = static_cast<int32_t>(dc.SelectPalette(previous, false));
}
inline void RestorePalette(FormHost& host, GameState& s, HPALETTE previous) { RestorePalette(host.hDC(), s, previous); }

}  // namespace quivra
