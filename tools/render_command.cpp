// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render: a whole scene built through the game's own build stages, then key presses,
// Clear and the correct path as a player would give them, saved as a picture, or drawn again as a
// vector document, or as the flat plan.
#include <optional>
#include <sstream>

#include "game/style_rules.h"
#include "game/window_design.h"
#include "render/plan_view.h"
#include "tools/picture_file.h"
#include "tools/progress.h"
#include "tools/render_game.h"
#include "tools/tool_cli.h"
#include "tools/tool_game.h"
#include "tools/vector_output.h"

namespace quivra::tool {

namespace {

constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 16000LL * 9000LL;
// A whole scene at the largest size with this many candidates already takes hours.
constexpr int kMaxTrials = 1'000'000;
constexpr int kMaxCount = 100;

void ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) throw UsageError("size must be WxH, not " + Quoted(text));
    width = ParseInt(std::string_view(text).substr(0, x), "window width", 1, kMaxSide);
    height = ParseInt(std::string_view(text).substr(x + 1), "window height", 1, kMaxSide);
    if (static_cast<long long>(width) * height > kMaxPixels) throw UsageError("window larger than 16000 x 9000 pixels");
}

std::vector<int> ParseKeys(const std::string& text) {
    std::vector<int> keys;
    size_t pos = 0;
    for (;;) {
        const size_t comma = text.find(',', pos);
        keys.push_back(ParseInt(std::string_view(text).substr(pos, comma == std::string::npos ? comma : comma - pos),
                                "key code", 1, 255));
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return keys;
}

Sheet PlanSheet(const ToolGame& game, const PlanOptions& options, const std::string& code) {
    QPicture picture;
    {
        DeviceContext dc;
        dc.SetPaintDevice(&picture);
        DrawPlan(dc, game.game, options);
    }
    return {{picture}, QSize(options.width, options.height), code};
}

PlanOptions Plan(const RenderSetup& setup, bool solution) {
    return {setup.width, setup.height, !setup.keys.empty(), solution};
}

NamedMaze CheckedCode(const std::string& text) {
    const MazeCodeResult parsed = ParseMazeCode(text);
    if (!parsed.maze) throw UsageError("maze code " + Quoted(text) + " is not valid: " + parsed.error);
    // The parser keeps every code within MazeShape's limits; the style's scene may hold less.
    if (!StyleCanDraw(parsed.maze->shape)) throw UsageError("maze code " + Quoted(text) + " names a maze too large to draw");
    return *parsed.maze;
}

}  // namespace

RenderedSheets RenderSheets(const RenderSetup& setup, bool solutions, int progressFd) {
    ToolGame game(setup, !setup.plan, progressFd);
    RenderedSheets result;
    result.code = game.game.Code();
    const QSize size(setup.width, setup.height);
    if (setup.plan) {
        if (setup.solution) game.ShowSolution();   // for the report: the game as the scene's would be
        result.picture = PlanSheet(game, Plan(setup, setup.solution), result.code);
        if (solutions) result.solution = PlanSheet(game, Plan(setup, true), result.code);
    } else {
        if (setup.solution) game.ShowSolution();
        result.picture = {game.TakeDrawing(), size, result.code};
        if (solutions) {
            game.ShowSolution();
            result.solution = {game.TakeDrawing(), size, result.code};
        }
    }
    result.report = game.Report(setup);
    return result;
}

void RunRender(const ParsedOptions& options, std::string& out, int progressFd) {
    RenderSetup setup;
    if (options.Has("code")) setup.named = CheckedCode(options.Required("code")[0]);
    if (options.Has("style") || !setup.named) {
        const std::string& style = options.Required("style")[0];
        if (style != "square" && style != "hex") throw UsageError("unknown style " + Quoted(style) + " (square or hex)");
        setup.honeycomb = style == "hex";
        if (setup.named && setup.honeycomb != (setup.named->shape.style == MazeStyle::Honeycomb)) {
            throw UsageError("--style " + style + " differs from the style of the maze code");
        }
    } else {
        setup.honeycomb = setup.named->shape.style == MazeStyle::Honeycomb;
    }
    if (options.Has("size")) ParseSize(options.Required("size")[0], setup.width, setup.height);
    if (options.Has("tilt")) setup.tilt = ParseInt(options.Required("tilt")[0], "tilt", kVScroll1Min, kVScroll1Max);
    if (options.Has("time")) {
        setup.time = ParseSeconds(options.Required("time")[0], "time", 86400, false);
    }
    if (options.Has("trials")) {
        if (setup.named) throw UsageError("--code makes its maze without a search: --trials does not apply");
        setup.trials = ParseInt(options.Required("trials")[0], "trial count", 0, kMaxTrials);
    }
    if (options.Has("keys")) setup.keys = ParseKeys(options.Required("keys")[0]);
    setup.clear = options.Has("clear");
    setup.solution = options.Has("solution");
    setup.palette = options.Has("palette");
    setup.dump = options.Has("dump");
    if (options.Has("view")) {
        const std::string& view = options.Required("view")[0];
        if (view != "scene" && view != "plan") throw UsageError("unknown view " + Quoted(view) + " (scene or plan)");
        setup.plan = view == "plan";
    }
    PageSize page = PageSize::Picture;
    if (options.Has("page")) {
        const std::string& name = options.Required("page")[0];
        if (name != "a4" && name != "letter") throw UsageError("unknown page " + Quoted(name) + " (a4 or letter)");
        page = name == "a4" ? PageSize::A4 : PageSize::Letter;
    }
    const int count = options.Has("count") ? ParseInt(options.Required("count")[0], "count", 1, kMaxCount) : 0;
    if (count > 0 && setup.named) throw UsageError("--code names one maze: --count does not apply");
    if (count > 0 && setup.solution) throw UsageError("a booklet has its solutions on pages of their own: drop --solution");
    // Before the work, so that a name that cannot be written does not cost a long build.
    const PictureTarget target = CheckPictureTarget(options.Required("out")[0]);
    const bool pdf = std::string_view(target.qtFormat) == "pdf";
    if ((page != PageSize::Picture || count > 0) && !pdf) throw UsageError("--page and --count need a .pdf file");

    if (count > 0) {
        RunBooklet(setup, count, page, target, out, progressFd);
        return;
    }
    if (IsVectorFormat(target.qtFormat)) {
        const RenderedSheets sheets = RenderSheets(setup, false, progressFd);
        WriteOutputBytes(pdf ? EncodePdf({sheets.picture}, page) : EncodeSvg(sheets.picture), target);
        out += sheets.report;
        return;
    }
    ToolGame game(setup, false, progressFd);
    if (setup.solution) game.ShowSolution();
    if (setup.plan) {
        QImage image(setup.width, setup.height, QImage::Format_RGB32);
        DeviceContext dc(&image);
        DrawPlan(dc, game.game, Plan(setup, setup.solution));
        WritePicture(image, target);
    } else {
        WritePicture(game.Image(), target);
    }
    out += game.Report(setup);
}

}  // namespace quivra::tool
