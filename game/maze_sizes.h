// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size a player chooses for new mazes: the window's (as the game always sized them), one of
// four named sizes with cells fitting each style, or cells of one's own within the style's limits.
#include <optional>
#include <string>

#include "game/texts.h"
#include "maze/maze_shape.h"

namespace quivra {

// The named sizes, smallest first. Each style has its own cells for each of them: about the same
// number of cells, in the window's proportions.
constexpr int kNamedSizes = 4;
inline const std::string kSizeNames[kNamedSizes] = {
    QT_TRANSLATE_NOOP("Quivra", "小"), QT_TRANSLATE_NOOP("Quivra", "中"), QT_TRANSLATE_NOOP("Quivra", "大"),
    QT_TRANSLATE_NOOP("Quivra", "特大")};
// How the settings and the records name them (never translated).
inline const char* const kSizeKeys[kNamedSizes] = {"small", "medium", "large", "huge"};

// A chosen side never exceeds this: a scene is built a row or so a tick, and a larger maze would
// take minutes to draw and leave cells of a pixel or two on a large screen.
constexpr int kMaxChosenSide = 400;

struct SizeChoice {
    enum class Kind { FitWindow, Named, Custom };
    Kind kind = Kind::FitWindow;
    int named = 0;             // 0..kNamedSizes-1
    int cellsX = 0, cellsY = 0;   // Custom

    static SizeChoice Fit() { return {}; }
    static SizeChoice Named(int index) { return {Kind::Named, index, 0, 0}; }
    static SizeChoice Custom(int x, int y) { return {Kind::Custom, 0, x, y}; }
    bool FitsWindow() const { return kind == Kind::FitWindow; }
    bool operator==(const SizeChoice&) const = default;
};

// The cells of a named size in a style.
MazeShape NamedSizeShape(MazeStyle style, int index);

// Why cells across and down cannot be a maze of the style, or nothing when they can. The text
// holds %1 and %2 for the allowed range (lo, hi), filled in after translation.
struct SizeRefusal {
    const std::string* text = nullptr;
    int lo = 0, hi = 0;
};
std::optional<SizeRefusal> CheckCells(MazeStyle style, int cellsX, int cellsY);

// The maze a choice carves in a style (nothing: size it to the window). Cells chosen for the
// other style are brought within this one's limits: a honeycomb takes the next odd number across.
std::optional<MazeShape> ChosenShape(MazeStyle style, const SizeChoice& choice);

// The choice as the settings keep it ("fit", "small".."huge", "31x21"), and back (nothing for a
// text that names none).
std::string SizeChoiceKey(const SizeChoice& choice);
std::optional<SizeChoice> SizeChoiceFromKey(const std::string& key);

inline const std::string kCellsAcrossRange = QT_TRANSLATE_NOOP("Quivra", "横向格数须在 %1 到 %2 之间");
inline const std::string kCellsDownRange = QT_TRANSLATE_NOOP("Quivra", "纵向格数须在 %1 到 %2 之间");
inline const std::string kHoneycombOdd = QT_TRANSLATE_NOOP("Quivra", "蜂窝状的横向格数须为奇数");

}  // namespace quivra
