// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render: a whole scene built through the game's own build stages, then key presses,
// Clear and the correct path as a player would give them, saved as a picture, or drawn again as a
// vector document, or as the flat plan.
#include <QLocale>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <cmath>
#include <ctime>
#include <optional>
#include <random>
#include <sstream>

#include "game/code_check.h"
#include "game/style_rules.h"
#include "game/window_design.h"
#include "render/plan_view.h"
#include "render/zoomed_view.h"
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
constexpr int kMaxCount = 1000;

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

// The plan at the window's size, or at the sheet's when the setup names one.
PlanOptions PlanFor(const RenderSetup& setup, bool solution) {
    PlanOptions options{setup.width, setup.height, !setup.keys.empty(), solution, !setup.keys.empty()};
    if (setup.sheetWidth > 0) options.width = setup.sheetWidth, options.height = setup.sheetHeight;
    options.width *= setup.planUnits;
    options.height *= setup.planUnits;
    options.unitsPerMillimetre = setup.sheetUnitsPerMillimetre * setup.planUnits;
    return options;
}

// The window's zoom: the picture scaled about the player, who is shown with the trail as the window
// shows them.
PlanOptions ZoomedPlan(const Game& game, PlanOptions options, int zoom) {
    if (zoom == 0) return options;
    options.zoom = ZoomOnPlayer(zoom, PlanPlayerPoint(game, options));
    options.trail = options.player = true;
    return options;
}

QImage ZoomedScene(const ToolGame& game, int zoom) {
    QImage image = game.Image();
    if (zoom == 0) return image;
    const WindowLayout layout = WindowLayout::Of(image.width(), image.height());
    const int width = layout.drawWidth;
    DeviceContext dc(&image);
    Canvas canvas = MakeCanvas(dc, layout.drawHeight, game.Run());
    const PicturePoint player = ScenePlayerPoint(game.game, game.Run().View(), layout.drawHeight);
    DrawZoomedScene(game.game, game.Run(), canvas, width, ZoomOnPlayer(zoom, player));
    // The scroll bar's and the status line's places stay as the window has them: empty.
    QPainter(&image).fillRect(width, 0, image.width() - width, image.height(), Qt::white);
    QPainter(&image).fillRect(0, layout.drawHeight, image.width(), image.height() - layout.drawHeight, Qt::white);
    return image;
}

// What the scene builders can hold.
void CheckDrawable(const MazeShape& s, const std::string& what) {
    // MazeShape's limits hold already (the parser and --cells keep to them); the style's scene may hold less.
    if (!StyleCanDraw(s)) throw UsageError(what + " names a maze too large to draw");
}

NamedMaze CheckedCode(const std::string& text) {
    const MazeCodeResult parsed = CheckPlayableCode(text);
    if (!parsed.maze) throw UsageError("maze code " + Quoted(text) + " " + RefusalWords(parsed));
    return *parsed.maze;
}

// A picture too small for its maze would show a blot or a part of it: refused, with a size that does.
void CheckLegible(const RenderSetup& setup, const MazeShape& shape) {
    double needWidth, needHeight;
    if (setup.plan) {
        const PlanExtent e = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
        needWidth = kMinCellPixels / e.cell * e.width;
        needHeight = kMinCellPixels / e.cell * e.height;
    } else {
        // The scene's rows shrink with the tilt and the distance; half as much down is still clear.
        const WindowLayout window = WindowLayout::Of(0, 0);
        needWidth = window.scrollWidth + kMinCellPixels * (shape.cellsX + 1.0);
        needHeight = window.statusHeight + kMinCellPixels / 2.0 * (shape.cellsY + 1.0);
    }
    // Zoomed in, each step doubles a cell's pixels.
    needWidth /= ZoomFactor(setup.zoom);
    needHeight /= ZoomFactor(setup.zoom);
    if (setup.width >= needWidth && setup.height >= needHeight) return;
    const long long width = std::max<long long>(setup.width, std::llround(std::ceil(needWidth)));
    const long long height = std::max<long long>(setup.height, std::llround(std::ceil(needHeight)));
    const std::string what = std::string(setup.plan ? "a plan" : "a scene") + " of " + std::to_string(shape.cellsX) +
                             " x " + std::to_string(shape.cellsY) + " cells needs " + std::to_string(kMinCellPixels) +
                             " pixels a cell: ";
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        throw UsageError(what + "more than a picture can hold, write .svg or .pdf");
    }
    throw UsageError(what + "--size " + std::to_string(width) + "x" + std::to_string(height) + " or larger");
}

// Printed mazes are new on every run: the time of day, moved by a random amount so that two runs
// in the same hundredth of a second differ too.
double FreshTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::random_device random;
    const long long hundredths = (static_cast<long long>(ts.tv_sec) * 100 + ts.tv_nsec / 10'000'000 + random()) % 8'640'000;
    return static_cast<double>(hundredths) / 100;
}

// --cell-size: millimetres, a decimal number.
double ParseCellSize(const std::string& text) {
    constexpr double kLeast = 3, kMost = 100;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || end != text.data() + text.size() || ec != std::errc() || !(v >= kLeast && v <= kMost)) {
        throw UsageError("cell size must be in 3..100 millimetres, not " + Quoted(text));
    }
    return v;
}

// --codes FILE (or - for standard input): one code a line, blank lines and # comments passed over,
// a byte order mark and CRLF line ends as a Windows editor saves them; a bad line refused with its
// number. Only a regular file of at most kMaxCodesBytes is read, so a device or an endless pipe is
// refused at once.
constexpr long long kMaxCodesBytes = 1 << 20;

std::string CodesText(const std::string& name) {
    const std::string what = "--codes " + Quoted(name);
    int fd = 0;
    if (name != "-") {
        // Opened without blocking (a FIFO would wait for a writer), then its type checked.
        fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) throw UsageError("cannot read " + what + ": " + std::strerror(errno));
        struct stat st {};
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            close(fd);
            throw UsageError(what + " is not a regular file");
        }
        if (st.st_size > kMaxCodesBytes) {
            close(fd);
            throw UsageError(what + " is larger than 1 MB");
        }
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            if (fd != 0) close(fd);
            throw UsageError("cannot read " + what + ": " + std::strerror(error));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
        if (static_cast<long long>(text.size()) > kMaxCodesBytes) {
            if (fd != 0) close(fd);
            throw UsageError(what + " is larger than 1 MB");
        }
    }
    if (fd != 0) close(fd);
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    return text;
}

void ReadCodes(const std::string& name, PrintSetup& print) {
    std::istringstream in(CodesText(name));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        const std::string text = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
        const std::string where = "--codes line " + std::to_string(number) + ": ";
        if (print.codes.size() == static_cast<size_t>(kMaxCount)) {
            throw UsageError(where + "more than " + std::to_string(kMaxCount) + " codes");
        }
        const MazeCodeResult parsed = ParseMazeCode(text);
        if (!parsed.maze) throw UsageError(where + "maze code " + Quoted(text) + " is not valid: " + parsed.error);
        CheckDrawable(parsed.maze->shape, where + "maze code " + Quoted(text));
        print.codes.push_back(*parsed.maze);
        print.codeLines.push_back(number);
    }
    if (print.codes.empty()) throw UsageError("--codes " + Quoted(name) + " holds no maze code");
}

// The tool never writes over a file it reads: the list of codes is neither the document nor its
// solutions, by any name or link.
void CheckCodesNotWritten(const ParsedOptions& options) {
    const std::string& codes = options.Required("codes")[0];
    if (codes == "-") return;
    const PictureTarget read{codes, codes, "pdf", true};
    std::vector<std::pair<const char*, std::string>> written = {{"--out", options.Required("out")[0]}};
    if (options.Has("solutions")) written.emplace_back("--solutions", options.Required("solutions")[0]);
    for (const auto& [option, name] : written) {
        if (SameFile(read, PictureTarget{name, name, "pdf", true})) {
            throw UsageError("--codes names the " + std::string(option) + " file: the list would be written over");
        }
    }
}

void RunPicture(RenderSetup setup, const PrintSetup& print, const PictureTarget& target, std::string& out,
                int progressFd);

}  // namespace

RenderedSheets RenderSheets(const RenderSetup& setup, bool solutions, int progressFd) {
    ToolGame game(setup, !setup.plan, progressFd);
    RenderedSheets result;
    result.code = game.game.Code();
    const QSize size(setup.width, setup.height);
    if (setup.plan) {
        if (setup.solution) game.ShowSolution();   // for the report: the game as the scene's would be
        result.picture = PlanSheet(game.game, PlanFor(setup, setup.solution));
        if (solutions) result.solution = PlanSheet(game.game, PlanFor(setup, true));
        for (Sheet* sheet : {&result.picture, &result.solution}) {
            sheet->size /= setup.planUnits;
            sheet->entrance /= setup.planUnits;
            sheet->exit /= setup.planUnits;
            sheet->wall /= setup.planUnits;
            sheet->units = setup.planUnits;
        }
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

void RunRender(const ParsedOptions& given, std::string& out, int progressFd) {
    ParsedOptions options = given;
    // On paper a maze of squares unless another style is asked for.
    if (options.Has("page") && !options.Has("style") && !options.Has("code") && !options.Has("codes")) {
        options.Raw()["style"] = {"square"};
    }
    RenderSetup setup;
    PrintSetup print;
    if (options.Has("code")) setup.named = CheckedCode(options.Required("code")[0]);
    if (options.Has("codes")) {
        CheckCodesNotWritten(options);
        for (const char* other : {"code", "count", "cells", "cell-size", "level"}) {
            if (options.Has(other)) throw UsageError("--codes names the booklet's mazes: drop --" + std::string(other));
        }
        ReadCodes(options.Required("codes")[0], print);
        print.codesFile = options.Required("codes")[0];
    }
    if (options.Has("style") || (!setup.named && print.codes.empty())) {
        const std::string& style = options.Required("style")[0];
        const StyleRules* rules = RulesNamed(style);
        if (!rules) throw UsageError("unknown style " + Quoted(style) + " (square or hex)");
        setup.style = rules->style;
        if (setup.named && setup.style != setup.named->shape.style) {
            throw UsageError("--style " + style + " differs from the style of the maze code");
        }
        for (size_t i = 0; i < print.codes.size(); ++i) {
            if (print.codes[i].shape.style != setup.style) {
                throw UsageError("--codes line " + std::to_string(print.codeLines[i]) + ": --style " + style +
                                 " differs from the style of the maze code");
            }
        }
    } else {
        setup.style = setup.named ? setup.named->shape.style : print.codes.front().shape.style;
    }
    if (options.Has("size")) ParseSize(options.Required("size")[0], setup.width, setup.height);
    if (options.Has("tilt")) setup.tilt = ParseInt(options.Required("tilt")[0], "tilt", kVScroll1Min, kVScroll1Max);
    if (options.Has("time")) setup.time = ParseSeconds(options.Required("time")[0], "time", 86400, false);
    // Dated by the clock the mazes come from: a fixed one gives the same bytes on every run.
    SetDocumentDate(static_cast<long long>(setup.time));
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
        if (view != "scene" && view != "plan" && view != "first-person") {
            throw UsageError("unknown view " + Quoted(view) + " (scene, plan or first-person)");
        }
        setup.plan = view == "plan";
        setup.firstPerson = view == "first-person";
    }
    if (options.Has("page")) {
        const std::string& name = options.Required("page")[0];
        const std::optional<PageSize> page = PageNamed(name);
        if (!page) throw UsageError("unknown page " + Quoted(name) + " (a5, a4, a3, letter or legal)");
        print.page = *page;
        // On paper a maze is for solving with a pen, and new on every run unless the time is given.
        if (!options.Has("view")) setup.plan = true;
        if (!options.Has("time")) {
            setup.time = FreshTime();
            SetDocumentDate(-1);   // new mazes now: dated now
        }
    }
    const bool paper = print.page != PageSize::Picture;
    if (setup.firstPerson && (paper || options.Has("count"))) {
        throw UsageError("--view first-person draws one picture: drop --page and --count");
    }
    print.sizeGiven = options.Has("size");
    if (options.Has("cells")) {
        if (setup.named) throw UsageError("--code names its maze's size: drop --cells");
        print.cells = CellsFromOptions(options);
        CheckDrawable(*print.cells, "--cells");
    }
    if (options.Has("cell-size")) {
        if (!paper) throw UsageError("--cell-size is for pages: add --page");
        if (!setup.plan) throw UsageError("--cell-size sizes a plan: drop --view scene");
        for (const char* other : {"cells", "code", "size"}) {
            if (options.Has(other)) throw UsageError("--cell-size sets the maze's size: drop --" + std::string(other));
        }
        print.cellSize = ParseCellSize(options.Required("cell-size")[0]);
    }
    if (options.Has("level")) {
        if (!paper) throw UsageError("--level sizes mazes for paper: add --page");
        if (!setup.plan) throw UsageError("--level sizes a plan: drop --view scene");
        if (options.Has("size")) throw UsageError("--level sets the maze's size: drop --size");
        print.level = ParseInt(options.Required("level")[0], "level", 1, 5);
    }
    print.count = options.Has("count") ? ParseInt(options.Required("count")[0], "count", 1, kMaxCount) : 0;
    if (!print.codes.empty()) print.count = static_cast<int>(print.codes.size());
    const int count = print.count;
    if (count > 0 && setup.named) throw UsageError("--code names one maze: --count does not apply");
    if (count > 0 && setup.solution) throw UsageError("a booklet has its solutions on pages of their own: drop --solution");
    if (options.Has("per-page")) {
        const std::string& text = options.Required("per-page")[0];
        print.dress.perPage = ParseInt(text, "mazes a page", 1, 6);
        if (print.dress.perPage == 3 || print.dress.perPage == 5) {
            throw UsageError("mazes a page must be 1, 2, 4 or 6, not " + Quoted(text));
        }
        if (!paper || count == 0) throw UsageError("--per-page arranges a booklet: add --page and --count");
    }
    for (const char* dress : {"title", "name-line"}) {
        if (options.Has(dress) && !paper) throw UsageError("--" + std::string(dress) + " is for pages: add --page");
    }
    if (options.Has("title")) {
        print.dress.title = options.Required("title")[0];
        // No page is wide enough for so many characters on two lines: refused before the fonts load.
        constexpr size_t kLongestTitle = 2000;
        if (print.dress.title.size() > kLongestTitle) {
            throw UsageError("the title does not fit across the page in two lines: " +
                             std::to_string(QString::fromStdString(print.dress.title).size()) + " characters");
        }
    }
    print.dress.nameLine = options.Has("name-line");
    if (options.Has("lang")) {
        const std::string& lang = options.Required("lang")[0];
        if (lang != "zh" && lang != "en") throw UsageError("unknown language " + Quoted(lang) + " (zh or en)");
        if (!paper) throw UsageError("--lang is for pages: add --page");
        print.dress.language = lang == "zh" ? PageLanguage::Chinese : PageLanguage::English;
    } else {
        print.dress.language = PageLanguageFor(QLocale::system().uiLanguages());
    }
    if (options.Has("zoom")) {
        setup.zoom = ParseInt(options.Required("zoom")[0], "zoom", 0, kMaxZoomLevel);
        if (paper || count > 0 || setup.firstPerson) throw UsageError("--zoom zooms the window's picture: drop --page, --count and --view first-person");
    }
    print.quiet = options.Has("quiet");
    if (print.quiet) progressFd = -1;
    // Before the work, so that a name that cannot be written does not cost a long build.
    const PictureTarget target = CheckPictureTarget(options.Required("out")[0]);
    const bool pdf = std::string_view(target.qtFormat) == "pdf", svg = std::string_view(target.qtFormat) == "svg";
    if (setup.zoom > 0 && (pdf || svg)) throw UsageError("--zoom draws what the window shows: write a picture, not a document");
    if (options.Has("solutions")) {
        const std::string& where = options.Required("solutions")[0];
        if (count == 0) throw UsageError("--solutions places a booklet's solutions: add --count");
        if (where == "none") {
            print.solutions = PrintSetup::Solutions::None;
        } else if (where != "end") {
            print.solutions = PrintSetup::Solutions::File;
            print.solutionsTarget = CheckPictureTarget(where);
            // A device or pipe gets the solutions as a PDF whatever its name.
            if (!print.solutionsTarget->replace) print.solutionsTarget->qtFormat = "pdf";
            if (paper && std::string_view(target.qtFormat) == "png") {
                throw UsageError("pages as pictures take --solutions end or none, not " + Quoted(where));
            }
            if (std::string_view(print.solutionsTarget->qtFormat) != "pdf") {
                throw UsageError("--solutions takes end, none or a .pdf file, not " + Quoted(where));
            }
            if (SameFile(*print.solutionsTarget, target)) throw UsageError("--solutions names the --out file");
        }
    }
    const bool pictures = paper && std::string_view(target.qtFormat) == "png";
    if (count > 0 && !pdf && !pictures) throw UsageError("a booklet has several pages: it needs a .pdf file, or .png with --page");
    if (paper && !pdf && !svg && !pictures) throw UsageError("--page needs a .pdf, .svg or .png file");
    if (pictures && !target.replace) throw UsageError("pages as pictures are files of their own: --out needs a file name");

    if (count > 0 || paper) {
        RunPrinted(setup, print, target, out, progressFd);
        return;
    }
    std::string unseen;   // --quiet: the report goes nowhere
    RunPicture(setup, print, target, print.quiet ? unseen : out, progressFd);
}

namespace {

// One picture without a page.
void RunPicture(RenderSetup setup, const PrintSetup& print, const PictureTarget& target, std::string& out,
                int progressFd) {
    const bool pdf = std::string_view(target.qtFormat) == "pdf";
    // The cells and the size alone decide whether a picture can show the maze: before the search.
    if (print.cells && !IsVectorFormat(target.qtFormat)) CheckLegible(setup, *print.cells);
    if (print.cells) setup.named = SearchMaze(*print.cells, setup.time, setup.trials);
    // The view from inside shows a few cells at any size.
    if (setup.named && !IsVectorFormat(target.qtFormat) && !setup.firstPerson) CheckLegible(setup, setup.named->shape);
    if (setup.named && setup.plan && IsVectorFormat(target.qtFormat)) {
        // A document always holds the whole maze: drawn in finer units where pixels are too few.
        const PlanExtent e = PlanExtentOf(setup.named->shape.style, setup.named->shape.cellsX, setup.named->shape.cellsY);
        const double cell = std::min(setup.width / e.width, setup.height / e.height) * e.cell;
        if (cell < kMinCellPixels) setup.planUnits = static_cast<int>(std::ceil(kPlanUnitsPerCell / cell));
    }
    if (IsVectorFormat(target.qtFormat)) {
        const RenderedSheets sheets = RenderSheets(setup, false, progressFd);
        WriteOutputBytes(pdf ? EncodePdf({sheets.picture}, PageSize::Picture) : EncodeSvg(sheets.picture), target);
        out += sheets.report;
        return;
    }
    ToolGame game(setup, false, progressFd);
    if (setup.solution) game.ShowSolution();
    if (setup.plan) {
        QImage image(setup.width, setup.height, QImage::Format_RGB32);
        DeviceContext dc(&image);
        DrawPlan(dc, game.game, ZoomedPlan(game.game, PlanFor(setup, setup.solution), setup.zoom));
        WritePicture(image, target);
    } else {
        WritePicture(ZoomedScene(game, setup.zoom), target);
    }
    out += game.Report(setup);
}

}  // namespace

}  // namespace quivra::tool
