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
    bool honeycomb = false;
    int width = 400, height = 298;
    int tilt = 45;
    double time = 43200.52;
    int trials = 100;
    std::vector<int> keys;
    bool clear = false, solution = false, palette = false, dump = false;
    bool plan = false;                 // --view plan
    std::optional<NamedMaze> named;    // --code
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

// quivra-tool render --count N: N different mazes, then their solutions, one per page.
void RunBooklet(const RenderSetup& setup, int count, PageSize page, const PictureTarget& target, std::string& out,
                int progressFd);

}  // namespace quivra::tool
