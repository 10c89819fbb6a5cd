// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render to paper and booklets: the mazes chosen and checked before anything is drawn
// or a file is made, then drawn one at a time and written page by page, the solutions following
// the mazes gathered the same way, each labelled with its maze's number.
#include <cmath>
#include <cstdio>
#include <set>

#include "game/game.h"
#include "game/style_rules.h"
#include "game/window_design.h"
#include "maze/random.h"
#include "render/plan_view.h"
#include "render/printed_page.h"
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

std::string Millimetres(double mm) { return Decimal(std::floor(mm * 10) / 10, 1); }

// As many cells as fit in the box at the cell size asked: the plan's extent at that size, row by
// row and column by column, as the style lays its cells out. A size too large for the fewest
// cells is refused with the largest that fits.
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
        const PlanExtent least = PlanExtentOf(style, x, y);
        const double largest = std::min(box.width() / least.width, box.height() / least.height) * rules.planCell * 25.4 / 72;
        throw UsageError("cells of " + Millimetres(millimetres) + " mm leave no room for a maze on this page: --cell-size " +
                         Millimetres(largest) + " at most");
    }
    while (x + step <= rules.maxCellsX && fits(x + step, y)) x += step;
    while (y < MazeShape::kMaxSide && fits(x, y + 1)) ++y;
    return MazeShape::Of(style, x, y);
}

// About how many cells a box holds at each level: a few large ones for small children up to many
// small ones.
constexpr int kLevelCells[] = {24, 60, 150, 400, 1000};

// The largest cell size at which the box holds the level's number of cells, whatever its proportions,
// but never cells smaller than a child of the level draws in: fewer cells then.
double LevelCellSize(QSizeF box, MazeStyle style, int level) {
    const double floor = kLevelLeastCell[level - 1];
    const StyleRules& rules = RulesOf(style);
    const PlanExtent least = PlanExtentOf(style, rules.minCellsX, rules.minCellsY);
    // A hair under the largest, so that rounding does not lose the fewest cells.
    double millimetres =
        std::min(box.width() / least.width, box.height() / least.height) * rules.planCell * 25.4 / 72 * (1 - 1e-9);
    if (millimetres <= floor) return millimetres;
    for (;; millimetres = std::max(floor, millimetres * 0.98)) {
        const MazeShape s = CellsFitting(box, style, millimetres);
        if (millimetres == floor) return floor;
        if (static_cast<long long>(s.cellsX) * s.cellsY >= kLevelCells[level - 1]) return millimetres;
    }
}

// A maze whose walls would print thinner than kThinnestWall is refused, with the largest cells
// of its proportions that print on this paper.
void CheckWalls(const MazeShape& shape, PageSize page, const PageDress& dress, const std::string& what) {
    const auto grid = [&](const MazeShape& s) {
        const PlanExtent e = PlanExtentOf(s.style, s.cellsX, s.cellsY);
        return FitPage(page, dress, QSizeF(e.width, e.height));
    };
    const double wall = PlanWallMillimetres(grid(shape), shape);
    if (wall >= kThinnestWall) return;
    const StyleRules& rules = RulesOf(shape.style);
    const auto shrunk = [&](double f) {
        int x = std::max(rules.minCellsX, static_cast<int>(shape.cellsX * f));
        if (rules.oddCellsX && x % 2 == 0) --x;
        return MazeShape::Of(shape.style, std::max(rules.minCellsX, x),
                             std::max(rules.minCellsY, static_cast<int>(shape.cellsY * f)));
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        const MazeShape s = shrunk(mid);
        (PlanWallMillimetres(grid(s), s) >= kThinnestWall ? lo : hi) = mid;
    }
    const MazeShape most = shrunk(lo);
    const std::string walls = " would print walls of " + Decimal(wall, 3) + " mm, thinner than " + Decimal(kThinnestWall, 2) + " mm: ";
    throw UsageError(what + " of " + Cells(shape) + walls + std::to_string(most.cellsX) + " x " +
                     std::to_string(most.cellsY) + " cells at most on this page");
}

NamedMaze Search(const MazeShape& shape, double time, int trials, uint64_t* hash, Progress* progress = nullptr) {
    ByteGrid grid;
    grid.Redim(shape.gridMaxY, shape.gridMaxX);
    PathSteps steps(static_cast<size_t>(shape.cellCount) + 1);
    // A clock that moves one second a reading against a budget of `trials` seconds: that many
    // candidates, each counted on the progress line.
    const Clock clock = [reading = 0.0, progress]() mutable {
        if (progress) progress->Reading();
        return reading++;
    };
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
        Number(sheet.marked);
        for (const double v : {sheet.entrance.x(), sheet.entrance.y(), sheet.exit.x(), sheet.exit.y(), sheet.wall}) {
            Bytes(&v, sizeof v);
        }
        Number(sheet.layers.size());
        for (const QPicture& layer : sheet.layers) {
            Number(layer.size());
            Bytes(layer.data(), layer.size());
        }
    }
    void PutBytes(const QByteArray& bytes) {
        Number(static_cast<uint64_t>(bytes.size()));
        Bytes(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    QByteArray GetBytes() {
        QByteArray bytes(static_cast<qsizetype>(Number()), Qt::Uninitialized);
        Read(bytes.data(), static_cast<size_t>(bytes.size()));
        return bytes;
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
        sheet.marked = Number() != 0;
        double v[5];
        Read(v, sizeof v);
        sheet.entrance = QPointF(v[0], v[1]);
        sheet.exit = QPointF(v[2], v[3]);
        sheet.wall = v[4];
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


}  // namespace

double MazeTime(double time, int number) {
    // The time in hundredths beside the number, then splitmix64's finaliser: every pair its own
    // input, spread over the whole day.
    uint64_t z = (static_cast<uint64_t>(std::llround(time * 100)) << 24) ^ static_cast<uint64_t>(number);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z % 8'640'000) / 100;
}

NamedMaze SearchMaze(const MazeShape& shape, double time, int trials) { return Search(shape, time, trials, nullptr); }

void RunPrinted(const RenderSetup& setup, const PrintSetup& print, const PictureTarget& target, std::string& out,
                int progressFd) {
    const bool paper = print.page != PageSize::Picture;
    const bool booklet = print.count > 0;
    const int count = std::max(1, print.count);
    const bool solutionPages = booklet && print.solutions == PrintSetup::Solutions::End;
    if (print.quiet) progressFd = -1;
    // Titles and labels are measured with the fonts before any work.
    const std::unique_ptr<QGuiApplication> fonts = paper ? FontsForText() : nullptr;
    PageDress dress = print.dress;
    const int mazePages = paper ? (count + dress.perPage - 1) / dress.perPage : count;
    dress.pages = mazePages * (solutionPages ? 2 : 1);
    if (!dress.title.empty()) {
        if (const std::string problem = TitleProblem(dress.title); !problem.empty()) throw UsageError(problem);
    }

    // The shape and the paper: the size in cells from the cell size or the level, or the paper from the maze.
    PageGrid grid;
    grid.page = print.page;
    MazeShape shape;
    const bool planOnPaper = paper && setup.plan && !print.sizeGiven;
    const bool byLevel = planOnPaper && print.cellSize <= 0 && print.codes.empty() && !print.cells && !setup.named;
    if (print.cellSize > 0 || byLevel) {
        grid = UprightPage(print.page, dress);
        const double millimetres =
            print.cellSize > 0 ? print.cellSize : LevelCellSize(grid.PlanBox(), setup.style, print.level ? print.level : 3);
        shape = CellsFitting(grid.PlanBox(), setup.style, millimetres);
    } else {
        shape = !print.codes.empty() ? print.codes.front().shape
                : setup.named        ? setup.named->shape
                : print.cells        ? *print.cells
                                     : WindowShape(setup);
    }
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    if (paper && print.cellSize <= 0 && !byLevel) {
        grid = FitPage(print.page, dress,
                       planOnPaper ? QSizeF(extent.width, extent.height) : QSizeF(setup.width, setup.height));
    }
    if (paper && !dress.title.empty() && FitTitle(QString::fromStdString(dress.title), grid.TextWidth()).lines == 0) {
        throw UsageError("the title does not fit across the page in two lines: " +
                         std::to_string(QString::fromStdString(dress.title).size()) + " characters");
    }
    if (planOnPaper) {
        if (print.codes.empty()) CheckWalls(shape, print.page, dress, "a maze");
        for (size_t i = 0; i < print.codes.size(); ++i) {
            CheckWalls(print.codes[i].shape, print.page, dress, "--codes line " + std::to_string(print.codeLines[i]) + ": a maze");
        }
    }

    // Pages as pictures: NAME-0001.png and on, each checked before the work; none of them the list
    // of codes.
    std::vector<PictureTarget> pictureFiles;
    if (std::string_view(target.qtFormat) == "png") {
        const std::string base = target.name.substr(0, target.name.size() - 4);
        for (int page = 1; page <= dress.pages; ++page) {
            char number[16];
            std::snprintf(number, sizeof number, "-%04d.png", page);
            pictureFiles.push_back(CheckPictureTarget(base + number));
            if (!print.codesFile.empty() && print.codesFile != "-" &&
                SameFile(pictureFiles.back(), PictureTarget{print.codesFile, print.codesFile, "png", true})) {
                throw UsageError("--codes names the page " + Quoted(base + number) + ": the list would be written over");
            }
        }
    }

    // The whole work, bounded before any of it.
    const long long positions = static_cast<long long>(shape.gridMaxX + 1) * (shape.gridMaxY + 1);
    const bool searched = !setup.named && print.codes.empty();
    if (searched && static_cast<double>(count) * (setup.trials + 1) * positions > double(kMaxCarvedPositions)) {
        throw UsageError("too much work: " + std::to_string(count) + " mazes of " + Cells(shape) + " with " +
                         std::to_string(setup.trials) + " trials carve more than " +
                         std::to_string(kMaxCarvedPositions) + " grid positions");
    }
    if (!setup.plan && static_cast<double>(count) * setup.width * setup.height > double(kMaxScenePixels)) {
        throw UsageError("too much work: " + std::to_string(count) + " scenes of " + Size(setup.width, setup.height) +
                         " draw more than " + std::to_string(kMaxScenePixels) + " pixels");
    }

    // The mazes, each asked for a second after the one before, as a player pressing New would; a
    // maze that came up before is skipped.
    std::vector<std::pair<NamedMaze, double>> mazes;
    if (setup.named) {
        mazes.emplace_back(*setup.named, setup.time);
    } else if (!print.codes.empty()) {
        for (const NamedMaze& maze : print.codes) mazes.emplace_back(maze, setup.time);
    } else {
        // Counted in candidates, so that a long search for one large maze shows too.
        Progress progress(progressFd, static_cast<long long>(count) * (setup.trials + 2), 0.0, 0, "candidates");
        std::set<uint64_t> seen;
        for (int tries = 0; static_cast<int>(mazes.size()) < count && tries < kTriesPerMaze * count; ++tries) {
            uint64_t hash = 0;
            const double time = MazeTime(setup.time, tries);
            const NamedMaze maze = Search(shape, time, setup.trials, &hash, &progress);
            if (seen.insert(hash).second) mazes.emplace_back(maze, time);
        }
        if (static_cast<int>(mazes.size()) < count) {
            throw UsageError("only " + std::to_string(mazes.size()) + " different mazes of " + Cells(shape) +
                             ": ask for fewer or for larger mazes");
        }
    }

    // A plan on paper is drawn at the largest size its box takes, in units fine enough for even walls.
    RenderSetup one = setup;
    const auto sizeFor = [&](const MazeShape& s) {
        if (!planOnPaper) return;
        const QSize size = PlanSheetSize(grid, s);
        one.sheetWidth = size.width();
        one.sheetHeight = size.height();
        one.sheetUnitsPerMillimetre = PlanUnitsPerMillimetre(grid, size);
    };
    sizeFor(shape);

    // The smallest cell of the run, as printed, last in the report.
    const auto cellSize = [&] {
        if (!planOnPaper || print.quiet) return;
        double least = PlanCellMillimetres(grid, shape);
        for (const NamedMaze& maze : print.codes) least = std::min(least, PlanCellMillimetres(grid, maze.shape));
        out += "cellSize " + Decimal(least, 2) + "\n";
    };

    if (std::string_view(target.qtFormat) == "svg") {
        one.named = mazes.front().first;
        one.time = mazes.front().second;
        const RenderedSheets sheets = RenderSheets(one, false, progressFd);
        WriteOutputBytes(EncodeSvgPage(sheets.picture, grid, dress, ""), target);
        if (!print.quiet) out += sheets.report;
        cellSize();
        return;
    }

    // Pages as pictures wait, encoded, in a file without a name until all are made.
    std::optional<Spool> pictures;
    std::optional<StreamedOutput> document;
    std::optional<PdfPages> pagesMade;
    if (!pictureFiles.empty()) {
        pictures.emplace();
        pagesMade.emplace([&](const QImage& page) { pictures->PutBytes(EncodePicture(page, target)); },
                          kPictureDotsPerInch, grid, dress);
    } else {
        document.emplace(target);
        pagesMade.emplace(document->Device(), grid, dress, false);
    }
    PdfPages& pages = *pagesMade;
    std::optional<StreamedOutput> solutionFile;
    std::optional<PdfPages> solutionDocument;
    if (booklet && print.solutions == PrintSetup::Solutions::File) {
        PageDress own = dress;
        own.pages = mazePages;
        solutionFile.emplace(*print.solutionsTarget);
        // Checked by name before the work; checked again by what is open, before anything is written.
        if (document->SameDestination(*solutionFile)) throw UsageError("--solutions names the --out file");
        solutionDocument.emplace(solutionFile->Device(), grid, own, true);
    }
    std::optional<Spool> spool;
    if (solutionPages) spool.emplace();
    const auto label = [&](bool solution, size_t i) { return BoxLabel(dress.language, solution, static_cast<int>(i + 1)); };
    {
        std::optional<Progress> progress;
        if (booklet) progress.emplace(progressFd, count, 0.0, 0, "mazes drawn");
        for (size_t i = 0; i < mazes.size(); ++i) {
            one.named = mazes[i].first;
            one.time = mazes[i].second;
            one.style = one.named->shape.style;
            if (!print.codes.empty()) sizeFor(one.named->shape);
            const RenderedSheets sheets =
                RenderSheets(one, booklet && print.solutions != PrintSetup::Solutions::None, booklet ? -1 : progressFd);
            pages.Place(sheets.picture, booklet ? label(false, i) : "");
            if (solutionDocument) solutionDocument->Place(sheets.solution, label(true, i));
            if (spool) spool->Put(sheets.solution);
            if (!print.quiet) out += sheets.report;
            if (progress) progress->Reading();
        }
    }
    if (spool) {
        std::optional<Progress> progress;
        progress.emplace(progressFd, count, 0.0, 0, "solutions written");
        spool->Rewind();
        pages.BreakPage(true);
        for (size_t i = 0; i < mazes.size(); ++i) {
            pages.Place(spool->Get(), label(true, i));
            progress->Reading();
        }
    }
    pages.Finish();
    if (solutionDocument) solutionDocument->Finish();
    if (pictures) {
        pictures->Rewind();
        WriteFilesTogether(pictureFiles, [&](size_t) { return pictures->GetBytes(); });
    } else {
        // The booklet and its solutions are new together or not at all.
        StreamedOutput* const outputs[] = {&*document, solutionFile ? &*solutionFile : nullptr};
        StreamedOutput::CommitAll(std::span(outputs, solutionFile ? 2 : 1));
    }
    if (booklet && !print.quiet) out += "pages " + std::to_string(pages.Pages()) + "\n";
    cellSize();
}

}  // namespace quivra::tool
