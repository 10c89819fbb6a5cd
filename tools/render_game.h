// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to quivra-tool: one whole game for `render`, and the booklet that plays several.
#include <optional>
#include <string>
#include <vector>

#include "maze/maze_code.h"
#include "tools/picture_file.h"
#include "tools/vector_output.h"

namespace quivra::tool {

struct RenderSetup {
    MazeStyle style = MazeStyle::Square;
    int width = 400, height = 298;
    int tilt = 45;
    double time = 43200.52;
    int trials = 100;
    std::vector<int> keys;
    bool clear = false, solution = false, palette = false, dump = false;
    bool plan = false;                 // --view plan
    bool firstPerson = false;          // --view first-person: the keys are the first-person keys
    std::optional<NamedMaze> named;    // --code
    int sheetWidth = 0, sheetHeight = 0;   // a plan drawn at this size rather than the window's (a box on a page)
    int planUnits = 1;                     // a plan for a document drawn this many units a pixel, to hold every cell
    double sheetUnitsPerMillimetre = 0;    // a plan for paper: its units a millimetre there
    int zoom = 0;                          // --zoom: the window's zoom level, centred on the player
};

// One game as a picture for a document: the report it prints, the drawing, and with `solutions`
// the same drawing with the correct path shown.
struct RenderedSheets {
    std::string report;
    std::string code;
    Sheet picture;
    Sheet solution;
};
RenderedSheets RenderSheets(const RenderSetup& setup, bool solutions, int progressFd);

// What a printed render asks for besides the game: the paper, the count, the size in cells.
struct PrintSetup {
    PageSize page = PageSize::Picture;
    PageDress dress;
    int count = 0;                          // --count; 0: one maze, without a solution page
    std::optional<MazeShape> cells;         // --cells
    double cellSize = 0;                    // --cell-size, millimetres
    int level = 0;                          // --level 1..5; 0: not given
    std::vector<NamedMaze> codes;           // --codes FILE: the booklet's mazes
    std::string codesFile;                  // that FILE, never written
    std::vector<int> codeLines;             // the line of each in the file
    bool quiet = false;                     // --quiet: no report and no progress
    bool sizeGiven = false;                 // --size: the plan drawn at that size, fitted on the page
    enum class Solutions { End, None, File } solutions = Solutions::End;
    std::optional<PictureTarget> solutionsTarget;
};

// The time a booklet's maze number `number` (from 0, counting the tries) is searched at: the
// booklet's time and the number mixed, so that booklets pinned a second apart share no maze.
double MazeTime(double time, int number);

// The maze a search by the game's own rules finds for this shape, its seed text made from `time`.
NamedMaze SearchMaze(const MazeShape& shape, double time, int trials);

// Pictures smaller than this many pixels a cell are refused: walls of two pixels and a passage
// twice as wide.
constexpr int kMinCellPixels = 6;
// A plan for a document is drawn in units this fine at least: a cell gets 48 units or more.
constexpr double kPlanUnitsPerCell = 48;
// Pages as pictures: print quality, about 2480 pixels across A4.
constexpr int kPictureDotsPerInch = 300;
// Walls thinner than this do not print: mazes that would have them are refused.
constexpr double kThinnestWall = 0.15;   // millimetres
// The smallest cell each level prints, in millimetres: large enough for a child's pencil.
constexpr double kLevelLeastCell[] = {5, 5, 4, 3, 3};

// quivra-tool render with --page, --count or --cells to a document: the mazes chosen and checked
// first, then drawn and written page by page.
void RunPrinted(const RenderSetup& setup, const PrintSetup& print, const PictureTarget& target, std::string& out,
                int progressFd);

}  // namespace quivra::tool
