// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render to paper and booklets: the mazes chosen and checked before anything is drawn
// or a file is made, then drawn one at a time and written page by page, the solutions following
// the mazes gathered the same way, each labelled with its maze's number.
#include <cmath>
#include <cstdio>
#include <set>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "game/game.h"
#include "game/style_rules.h"
#include "game/window_design.h"
#include "maze/random.h"
#include "render/plan_view.h"
#include "tools/progress.h"
#include "tools/render_game.h"
#include "tools/tool_cli.h"

namespace quivra::tool {

namespace {

// Stated in the manual: carving costs about 20 ns a grid position, drawing a scene about 80 ns a pixel.
constexpr long long kMaxCarvedPositions = 5'000'000'000LL;
constexpr long long kMaxScenePixels = 2'000'000'000LL;
constexpr int kTriesPerMaze = 100;

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }
std::string Cells(const MazeShape& s) { return std::to_string(s.cellsX) + " x " + std::to_string(s.cellsY) + " cells"; }

// The maze the game would make for the window: sized from the drawing area left of the scroll bar
// and above the status line, in twips; none when the status line takes a third of the height.
MazeShape WindowShape(const RenderSetup& setup) {
    const WindowLayout window = WindowLayout::Of(setup.width, setup.height);
    if (window.tooSmall) {
        throw UsageError("a window of " + Size(setup.width, setup.height) + " is too small for a maze: at least " +
                         std::to_string(3 * window.statusHeight) + " pixels high");
    }
    return RulesOf(setup.style).sizeGrid(window.areaWidthTwips, window.areaHeightTwips);
}

// As many cells as fit in the box at the cell size asked: the plan's extent at that size, row by
// row and column by column, as the style lays its cells out.
MazeShape CellsFitting(QSizeF box, MazeStyle style, double millimetres) {
    const StyleRules& rules = RulesOf(style);
    const double unit = millimetres * 72 / 25.4 / rules.planCell;   // points to one unit of the plan
    const int step = rules.oddCellsX ? 2 : 1;
    auto fits = [&](int x, int y) {
        const PlanExtent e = PlanExtentOf(style, x, y);
        return e.width * unit <= box.width() && e.height * unit <= box.height();
    };
    int x = rules.minCellsX, y = rules.minCellsY;
    if (!fits(x, y)) {
        throw UsageError("cells of " + std::to_string(millimetres).substr(0, 5) + " mm leave no room for a maze on this page");
    }
    while (x + step <= rules.maxCellsX && fits(x + step, y)) x += step;
    while (fits(x, y + 1)) ++y;
    return MazeShape::Of(style, x, y);
}

NamedMaze Search(const MazeShape& shape, double time, int trials, uint64_t* hash) {
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    PathSteps steps(static_cast<size_t>(shape.cellCount) + 1);
    // A clock that moves one second a reading against a budget of `trials` seconds: that many candidates.
    const Clock clock = [reading = 0.0]() mutable { return reading++; };
    const std::string seed = SeedTextFromSeconds(time);
    const GenerationReport r =
        RulesOf(shape.style).generate(SharedTables(), clock, seed, grid, shape, steps, trials, 0);
    if (hash) {
        uint64_t h = 14695981039346656037ULL;   // FNV-1a over the carved grid
        for (size_t i = 0; i < grid.Size(); ++i) h = (h ^ grid.Data()[i]) * 1099511628211ULL;
        *hash = h;
    }
    return {shape, r.bestDigits};
}

// The solutions wait here, out of memory, until the mazes' pages are done; the file has no name,
// so nothing is left behind however the tool ends.
class Spool {
public:
    Spool() : file_(std::tmpfile()) {
        if (!file_) throw WriteError("cannot make a temporary file for the solutions");
    }
    ~Spool() { std::fclose(file_); }
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    void Put(const Sheet& sheet) {
        Number(sheet.code.size());
        Bytes(sheet.code.data(), sheet.code.size());
        Number(static_cast<uint64_t>(sheet.size.width()));
        Number(static_cast<uint64_t>(sheet.size.height()));
        Number(static_cast<uint64_t>(sheet.units));
        Number(sheet.layers.size());
        for (const QPicture& layer : sheet.layers) {
            Number(layer.size());
            Bytes(layer.data(), layer.size());
        }
    }
    void Rewind() {
        if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) Fail();
    }
    Sheet Get() {
        Sheet sheet;
        sheet.code.resize(Number());
        Read(sheet.code.data(), sheet.code.size());
        const int width = static_cast<int>(Number());
        sheet.size = QSize(width, static_cast<int>(Number()));
        sheet.units = static_cast<int>(Number());
        sheet.layers.resize(Number());
        std::vector<char> data;
        for (QPicture& layer : sheet.layers) {
            data.resize(Number());
            Read(data.data(), data.size());
            layer.setData(data.data(), static_cast<uint>(data.size()));
        }
        return sheet;
    }

private:
    [[noreturn]] void Fail() { throw WriteError("cannot keep the solutions in a temporary file"); }
    void Bytes(const void* data, size_t size) {
        if (size && std::fwrite(data, 1, size, file_) != size) Fail();
    }
    void Number(uint64_t n) { Bytes(&n, sizeof n); }
    void Read(void* data, size_t size) {
        if (size && std::fread(data, 1, size, file_) != size) Fail();
    }
    uint64_t Number() {
        uint64_t n;
        Read(&n, sizeof n);
        return n;
    }
    std::FILE* file_;
};

// A large maze's window and drawings take hundreds of megabytes, freed after each maze. Once
// large blocks have been freed, glibc raises its threshold for mapping them apart and serves the
// next ones from its heap, where the pieces left between them make the peak grow with the count:
// a fixed threshold keeps every large block mapped on its own and handed back when freed.
void KeepLargeBlocksApart() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

// What is left free in the heap after a maze, handed back too.
void GiveBackMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace

NamedMaze SearchMaze(const MazeShape& shape, double time, int trials) { return Search(shape, time, trials, nullptr); }

void RunPrinted(const RenderSetup& setup, const PrintSetup& print, const PictureTarget& target, std::string& out,
                int progressFd) {
    const bool paper = print.page != PageSize::Picture;
    const bool booklet = print.count > 0;
    const int count = std::max(1, print.count);
    const bool solutionPages = booklet && print.solutions == PrintSetup::Solutions::End;
    PageDress dress = print.dress;
    const int mazePages = paper ? (count + dress.perPage - 1) / dress.perPage : count;
    dress.pages = mazePages * (solutionPages ? 2 : 1);

    // The shape and the paper: the size in cells from the cell size, or the paper from the maze.
    PageGrid grid;
    grid.page = print.page;
    MazeShape shape;
    if (print.cellSize > 0) {
        grid = UprightPage(print.page, dress);
        shape = CellsFitting(grid.box, setup.style, print.cellSize);
    } else {
        shape = setup.named ? setup.named->shape : print.cells ? *print.cells : WindowShape(setup);
    }
    const bool planOnPaper = paper && setup.plan && !print.sizeGiven;
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    if (paper && print.cellSize <= 0) {
        grid = FitPage(print.page, dress,
                       planOnPaper ? QSizeF(extent.width, extent.height) : QSizeF(setup.width, setup.height));
    }

    // The whole work, bounded before any of it.
    const long long positions = static_cast<long long>(shape.gridMaxX + 1) * (shape.gridMaxY + 1);
    if (!setup.named && static_cast<double>(count) * (setup.trials + 1) * positions > double(kMaxCarvedPositions)) {
        throw UsageError("too much work: " + std::to_string(count) + " mazes of " + Cells(shape) + " with " +
                         std::to_string(setup.trials) + " trials carve more than " +
                         std::to_string(kMaxCarvedPositions) + " grid positions");
    }
    if (!setup.plan && static_cast<double>(count) * setup.width * setup.height > double(kMaxScenePixels)) {
        throw UsageError("too much work: " + std::to_string(count) + " scenes of " + Size(setup.width, setup.height) +
                         " draw more than " + std::to_string(kMaxScenePixels) + " pixels");
    }

    KeepLargeBlocksApart();
    // The mazes, each asked for a second after the one before, as a player pressing New would; a
    // maze that came up before is skipped.
    std::vector<std::pair<NamedMaze, double>> mazes;
    if (setup.named) {
        mazes.emplace_back(*setup.named, setup.time);
    } else {
        std::set<uint64_t> seen;
        double time = setup.time;
        for (int tries = 0; static_cast<int>(mazes.size()) < count && tries < kTriesPerMaze * count; ++tries) {
            uint64_t hash = 0;
            const NamedMaze maze = Search(shape, time, setup.trials, &hash);
            if (seen.insert(hash).second) mazes.emplace_back(maze, time);
            time += 1;
            if (time >= 86400) time -= 86400;
        }
        if (static_cast<int>(mazes.size()) < count) {
            throw UsageError("only " + std::to_string(mazes.size()) + " different mazes of " + Cells(shape) +
                             ": ask for fewer or for larger mazes");
        }
    }

    // A plan on paper is drawn at the largest size its box takes, in units fine enough for even walls.
    RenderSetup one = setup;
    if (planOnPaper) {
        const double scale = std::min(grid.box.width() / extent.width, grid.box.height() / extent.height);
        const double units = std::max(4.0, std::ceil(kPlanUnitsPerCell / (scale * extent.cell)));
        one.sheetWidth = static_cast<int>(std::floor(extent.width * scale * units));
        one.sheetHeight = static_cast<int>(std::floor(extent.height * scale * units));
    }

    if (std::string_view(target.qtFormat) == "svg") {
        one.named = mazes.front().first;
        one.time = mazes.front().second;
        const RenderedSheets sheets = RenderSheets(one, false, progressFd);
        WriteOutputBytes(EncodeSvgPage(sheets.picture, grid, dress, ""), target);
        out += sheets.report;
        return;
    }

    StreamedOutput file(target);
    PdfPages pages(file.Device(), grid, dress, false);
    std::optional<StreamedOutput> solutionFile;
    std::optional<PdfPages> solutionDocument;
    if (booklet && print.solutions == PrintSetup::Solutions::File) {
        PageDress own = dress;
        own.pages = mazePages;
        solutionFile.emplace(*print.solutionsTarget);
        solutionDocument.emplace(solutionFile->Device(), grid, own, true);
    }
    std::optional<Spool> spool;
    if (solutionPages) spool.emplace();
    {
        std::optional<Progress> progress;
        if (booklet) progress.emplace(progressFd, count, 0.0, 0, "mazes");
        for (size_t i = 0; i < mazes.size(); ++i) {
            one.named = mazes[i].first;
            one.time = mazes[i].second;
            const RenderedSheets sheets =
                RenderSheets(one, booklet && print.solutions != PrintSetup::Solutions::None, booklet ? -1 : progressFd);
            const std::string number = std::to_string(i + 1);
            pages.Place(sheets.picture, booklet ? "Maze " + number : "");
            if (solutionDocument) solutionDocument->Place(sheets.solution, "Solution " + number);
            if (spool) spool->Put(sheets.solution);
            out += sheets.report;
            if (progress) progress->Reading();
            GiveBackMemory();
        }
    }
    if (spool) {
        spool->Rewind();
        pages.BreakPage(true);
        for (size_t i = 0; i < mazes.size(); ++i) pages.Place(spool->Get(), "Solution " + std::to_string(i + 1));
    }
    pages.Finish();
    if (solutionDocument) solutionDocument->Finish();
    // The booklet and its solutions are new together or not at all.
    StreamedOutput* const outputs[] = {&file, solutionFile ? &*solutionFile : nullptr};
    StreamedOutput::CommitAll(std::span(outputs, solutionFile ? 2 : 1));
    if (booklet) out += "pages " + std::to_string(pages.Pages()) + "\n";
}

}  // namespace quivra::tool
