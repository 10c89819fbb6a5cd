// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render --count N: a booklet of N different mazes, one per page, then their
// solutions in the same order, each page with its maze code.
#include <set>

#include "tools/progress.h"
#include "tools/render_game.h"
#include "tools/tool_cli.h"

namespace quivra::tool {

void RunBooklet(const RenderSetup& setup, int count, PageSize page, const PictureTarget& target, std::string& out,
                int progressFd) {
    std::vector<Sheet> puzzles, solutions;
    std::set<std::string> codes;
    RenderSetup one = setup;
    {
        Progress progress(progressFd, count, 0.0, 0, "mazes");
        // Each maze asked for a second later than the one before, as a player pressing New would;
        // a maze that came up before is skipped.
        for (int tries = 0; static_cast<int>(puzzles.size()) < count && tries < 100 * count; ++tries) {
            RenderedSheets sheets = RenderSheets(one, true, -1);
            one.time += 1;
            if (one.time >= 86400) one.time -= 86400;
            if (!codes.insert(sheets.code).second) continue;
            puzzles.push_back(std::move(sheets.picture));
            solutions.push_back(std::move(sheets.solution));
            out += sheets.report;
            progress.Reading();
        }
    }
    if (static_cast<int>(puzzles.size()) < count) {
        throw UsageError("only " + std::to_string(puzzles.size()) + " different mazes of this size");
    }
    for (Sheet& s : solutions) puzzles.push_back(std::move(s));
    WriteOutputBytes(EncodePdf(puzzles, page), target);
    out += "pages " + std::to_string(puzzles.size()) + "\n";
}

}  // namespace quivra::tool
