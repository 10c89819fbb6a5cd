// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/booklet_run.h"

#include <QPainter>

#include <sstream>

#include "maze/maze_code.h"
#include "render/plan_view.h"
#include "render/printed_page.h"
#include "tools/picture_file.h"
#include "tools/render_game.h"
#include "tools/tool_cli.h"

namespace quivra::tool {

std::vector<std::string> BookletArguments(const BookletChoices& choices, const std::string& out,
                                          const std::string& solutionsOut) {
    std::vector<std::string> args = {"render", "--style", choices.honeycomb ? "hex" : "square", "--page", choices.page,
                                     "--count", std::to_string(choices.count), "--per-page",
                                     std::to_string(choices.perPage), "--lang", choices.english ? "en" : "zh"};
    if (choices.level > 0) {
        args.insert(args.end(), {"--level", std::to_string(choices.level)});
    } else {
        args.insert(args.end(), {"--cells", std::to_string(choices.cellsX), std::to_string(choices.cellsY)});
    }
    if (!choices.title.empty()) args.insert(args.end(), {"--title", choices.title});
    if (choices.nameLine) args.emplace_back("--name-line");
    switch (choices.solutions) {
        case BookletChoices::Solutions::End: break;
        case BookletChoices::Solutions::None: args.insert(args.end(), {"--solutions", "none"}); break;
        case BookletChoices::Solutions::File: args.insert(args.end(), {"--solutions", solutionsOut}); break;
    }
    if (choices.time >= 0) args.insert(args.end(), {"--time", std::to_string(choices.time)});
    args.insert(args.end(), {"--out", out});
    return args;
}

BookletRun RunBooklet(const BookletChoices& choices, const std::string& out, const std::string& solutionsOut,
                      ReadingWatch* watch) {
    struct Watching {
        ReadingWatch* before;
        explicit Watching(ReadingWatch* w) : before(ReadingWatch::current) { ReadingWatch::current = w; }
        ~Watching() { ReadingWatch::current = before; }
    } watching(watch);
    struct DatedNow {
        DatedNow() { DateDocumentsNow(true); }
        ~DatedNow() { DateDocumentsNow(false); }
    } datedNow;
    BookletRun run;
    std::ostringstream report, error;
    try {
        run.status = RunTool(BookletArguments(choices, out, solutionsOut), report, error);
    } catch (const BookletStopped&) {
        run.stopped = true;
        run.status = 1;
        return run;
    }
    run.report = report.str();
    run.error = ErrorReason(error.str());
    return run;
}

std::string ErrorReason(std::string error) {
    constexpr std::string_view kName = "quivra-tool: ";
    if (error.starts_with(kName)) error.erase(0, kName.size());
    while (!error.empty() && error.back() == '\n') error.pop_back();
    return error;
}

std::vector<std::string> ReportedCodes(const std::string& report) {
    std::vector<std::string> codes;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("code ")) codes.push_back(line.substr(5));
    }
    return codes;
}

QImage BookletPagePicture(const BookletChoices& choices, const std::vector<std::string>& codes, bool solutions,
                          double pixelsPerPoint) {
    std::vector<NamedMaze> mazes;
    for (const std::string& code : codes) {
        if (const MazeCodeResult parsed = ParseMazeCode(code); parsed.maze) mazes.push_back(*parsed.maze);
    }
    const std::optional<PageSize> page = PageNamed(choices.page);
    if (mazes.empty() || !page) return {};
    PageDress dress;
    dress.perPage = choices.perPage;
    dress.title = choices.title;
    dress.nameLine = choices.nameLine;
    dress.language = choices.english ? PageLanguage::English : PageLanguage::Chinese;
    const int mazePages = (choices.count + choices.perPage - 1) / choices.perPage;
    dress.pages = choices.solutions == BookletChoices::Solutions::End ? 2 * mazePages : mazePages;
    // As the booklet lays its pages out: upright paper for a level, turned to suit a size in cells.
    const MazeShape& shape = mazes.front().shape;
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    const PageGrid grid = choices.level > 0 ? UprightPage(*page, dress)
                                            : FitPage(*page, dress, QSizeF(extent.width, extent.height));
    QImage image(QSize(qRound(grid.paper.width() * pixelsPerPoint), qRound(grid.paper.height() * pixelsPerPoint)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    // 72 dots an inch before the scale, as the PDF's pages: a point of text is a unit.
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    QPainter painter(&image);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    const int number = solutions && choices.solutions == BookletChoices::Solutions::End ? mazePages + 1 : 1;
    DrawPageDress(painter, grid, dress, number, solutions);
    const int boxes = std::min<int>(grid.columns * grid.rows, static_cast<int>(mazes.size()));
    for (int i = 0; i < boxes; ++i) {
        RenderSetup setup;
        setup.plan = true;
        setup.named = mazes[static_cast<size_t>(i)];
        setup.style = setup.named->shape.style;
        const QSize size = PlanSheetSize(grid, setup.named->shape);
        setup.sheetWidth = size.width();
        setup.sheetHeight = size.height();
        setup.sheetUnitsPerMillimetre = PlanUnitsPerMillimetre(grid, size);
        const RenderedSheets sheets = RenderSheets(setup, solutions, -1);
        DrawInBox(painter, grid, i, solutions ? sheets.solution : sheets.picture, BoxLabel(dress.language, solutions, i + 1),
                  dress.language);
    }
    return image;
}

}  // namespace quivra::tool
