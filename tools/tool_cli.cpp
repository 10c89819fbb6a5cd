#include "tools/tool_cli.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <sstream>

#include "maze/hex_maze.h"
#include "maze/square_maze.h"
#include "maze/tables.h"

namespace quivra::tool {

namespace {

// Keeps a run of the tool well inside memory: the carve needs about three bytes per grid position.
constexpr int kMaxCellsPerSide = 20000;
constexpr long long kMaxGridPositions = 50'000'000;

struct MazeShape {
    bool hex = false;
    int cellsX = 0, cellsY = 0;
    int gridMaxX = 0, gridMaxY = 0;
    int cellCount = 0;
};

MazeShape ShapeFromOptions(const ParsedOptions& options) {
    MazeShape s;
    const std::string& style = options.Required("style")[0];
    if (style == "hex") {
        s.hex = true;
    } else if (style != "square") {
        throw UsageError("unknown style " + Quoted(style) + " (square or hex)");
    }
    const auto& cells = options.Required("cells");
    s.cellsX = ParseInt(cells[0], "cells X", 0, kMaxCellsPerSide);
    s.cellsY = ParseInt(cells[1], "cells Y", 0, kMaxCellsPerSide);
    if (s.hex) {
        if (s.cellsX < 3 || s.cellsX % 2 == 0) throw UsageError("honeycomb cells X must be odd and at least 3");
        if (s.cellsY < 2) throw UsageError("honeycomb cells Y must be at least 2");
        s.gridMaxX = s.cellsX / 2 * 8 + 6;
        s.gridMaxY = 4 * s.cellsY;
        s.cellCount = s.cellsX * s.cellsY - s.cellsX / 2;
    } else {
        if (s.cellsX < 2 || s.cellsY < 2) throw UsageError("square cells must be at least 2 x 2");
        s.gridMaxX = 2 * s.cellsX;
        s.gridMaxY = 2 * s.cellsY;
        s.cellCount = s.cellsX * s.cellsY;
    }
    if (static_cast<long long>(s.gridMaxX + 1) * (s.gridMaxY + 1) > kMaxGridPositions) {
        throw UsageError("maze too large: more than " + std::to_string(kMaxGridPositions) + " grid positions");
    }
    return s;
}

SeedDigits ParseDigits(std::string_view text) {
    SeedDigits d{};
    size_t count = 0;
    size_t pos = 0;
    for (;;) {
        const size_t comma = text.find(',', pos);
        const std::string_view item = text.substr(pos, comma == std::string_view::npos ? comma : comma - pos);
        if (item.size() != 1 || item[0] < '0' || item[0] > '9' || count == d.size()) {
            throw UsageError("digits must be eight values 0..9 separated by commas, not " + Quoted(text));
        }
        d[count++] = static_cast<uint8_t>(item[0] - '0');
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    if (count != d.size()) throw UsageError("digits must be eight values 0..9 separated by commas, not " + Quoted(text));
    return d;
}

std::string DigitsText(const SeedDigits& d) {
    std::string s;
    for (size_t i = 0; i < d.size(); ++i) {
        if (i) s += ',';
        s += static_cast<char>('0' + d[i]);
    }
    return s;
}

// The grid row by row, then the measures and the correct path's steps.
void PrintMaze(const ByteGrid& grid, const PathSteps& pathSteps, const MazeMeasures& m, int draws,
               std::string& out) {
    out.reserve(out.size() + grid.Size() + static_cast<size_t>(grid.MaxY()) + 64 + 2 * pathSteps.size());
    for (int y = 0; y <= grid.MaxY(); ++y) {
        for (int x = 0; x <= grid.MaxX(); ++x) out += static_cast<char>('0' + grid(y, x));
        out += '\n';
    }
    out += "pathLength " + std::to_string(m.pathLength) + "\n";
    out += "contacts " + std::to_string(m.contacts) + "\n";
    out += "draws " + std::to_string(draws) + "\n";
    out += "steps";
    for (int i = 0; i + 1 < m.pathLength; ++i) {
        out += ' ';
        out += std::to_string(pathSteps[i].slot);
    }
    out += '\n';
}

// Seconds since local midnight, as the game's clock reads it.
double WallClockSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ts.tv_nsec * 1e-9;
}

void RunCarve(const ParsedOptions& options, std::string& out) {
    const MazeShape s = ShapeFromOptions(options);
    const SeedDigits seed = ParseDigits(options.Required("digits")[0]);
    const MazeTables& t = GameTables();
    ByteGrid grid;
    grid.Redim(s.gridMaxY, s.gridMaxX);
    PathSteps steps(static_cast<size_t>(s.cellCount) + 1);
    int draws;
    MazeMeasures m;
    if (s.hex) {
        draws = CarveHexMaze(t.hexStepX, t.hexStepY, grid, s.gridMaxX, s.gridMaxY, steps, s.cellsX, s.cellsY, seed);
        m = SolveHexMaze(t.hexStepX, t.hexStepY, steps, grid, s.gridMaxX, s.gridMaxY);
    } else {
        draws = CarveSquareMaze(t.stepX, t.stepY, grid, s.gridMaxX, s.gridMaxY, steps, s.cellsX, s.cellsY, seed);
        m = SolveSquareMaze(t.stepX, t.stepY, steps, grid, s.gridMaxX, s.gridMaxY);
    }
    PrintMaze(grid, steps, m, draws, out);
}

void RunGenerate(const ParsedOptions& options, std::string& out) {
    const MazeShape s = ShapeFromOptions(options);
    const std::string& seedText = options.Required("seed-text")[0];
    if (options.Has("trials") == options.Has("budget")) throw UsageError("give exactly one of --trials and --budget");

    Clock clock;
    double budget;
    if (options.Has("trials")) {
        // A clock that moves one second per reading, against a budget of N seconds: N candidates.
        budget = ParseInt(options.Required("trials")[0], "trial count", 0, 1'000'000'000);
        clock = [reading = 0.0]() mutable { return reading++; };
    } else {
        budget = ParseSeconds(options.Required("budget")[0], "budget");
        clock = WallClockSeconds;
    }
    const int threads = options.Has("threads") ? ParseInt(options.Required("threads")[0], "thread count", 1, 1024) : 0;
    const MazeTables& t = GameTables();
    ByteGrid grid;
    grid.Redim(s.gridMaxY, s.gridMaxX);
    PathSteps steps(static_cast<size_t>(s.cellCount) + 1);
    const GenerationReport r =
        s.hex ? GenerateHexMaze(t.mixA, t.mixB, t.hexStepX, t.hexStepY, clock, seedText, grid, s.gridMaxX,
                                s.gridMaxY, steps, s.cellCount, s.cellsX, s.cellsY, budget, threads)
              : GenerateSquareMaze(t.mixA, t.mixB, t.stepX, t.stepY, clock, seedText, grid, s.gridMaxX, s.gridMaxY,
                                   steps, s.cellCount, s.cellsX, s.cellsY, budget, threads);
    PrintMaze(grid, steps, r.measures, r.draws, out);
    out += "bestDigits " + DigitsText(r.bestDigits) + "\n";
    out += "trial " + std::to_string(r.bestTrial) + "\n";
    out += "trials " + std::to_string(r.trials) + "\n";
}

constexpr OptionSpec kRenderOptions[] = {{"style", 1},    {"size", 1},  {"tilt", 1},    {"time", 1},
                                         {"trials", 1},   {"keys", 1},  {"solution", 0}, {"clear", 0},
                                         {"palette", 0},  {"dump", 0},  {"out", 1}};
constexpr OptionSpec kCarveOptions[] = {{"style", 1}, {"cells", 2}, {"digits", 1}};
constexpr OptionSpec kGenerateOptions[] = {{"style", 1},  {"cells", 2},  {"seed-text", 1},
                                           {"trials", 1}, {"budget", 1}, {"threads", 1}};

constexpr Command kCommands[] = {
    {"carve", "--style square|hex --cells X Y --digits d1,d2,d3,d4,d5,d6,d7,d8", kCarveOptions, RunCarve},
    {"generate", "--style square|hex --cells X Y --seed-text TEXT (--trials N | --budget SECONDS) [--threads N]",
     kGenerateOptions, RunGenerate},
    {"render",
     "--style square|hex [--size WxH] [--tilt DEGREES] [--time SECONDS] [--trials N] [--keys K1,K2,...] "
     "[--solution] [--clear] [--palette] [--dump] --out FILE.png",
     kRenderOptions, RunRender},
};

std::string Usage() {
    std::string s = "usage: quivra-tool COMMAND [OPTIONS]\n";
    for (const Command& c : kCommands) s += "  quivra-tool " + std::string(c.name) + " " + std::string(c.usage) + "\n";
    return s;
}

bool IsHelp(std::string_view a) { return a == "--help" || a == "-h" || a == "help"; }

}  // namespace

// Control characters are written as \xNN so that an error stays on one line.
std::string Quoted(std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    std::string q(1, '\'');
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            q += "\\x";
            q += hex[u >> 4];
            q += hex[u & 15];
        } else {
            q += c;
        }
    }
    q += '\'';
    return q;
}

const std::vector<std::string>& ParsedOptions::Required(std::string_view name) const {
    const auto it = values_.find(std::string(name));
    if (it == values_.end()) throw UsageError("missing option --" + std::string(name));
    return it->second;
}

ParsedOptions ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> known) {
    ParsedOptions parsed;
    for (size_t i = 0; i < args.size();) {
        const std::string& arg = args[i];
        const OptionSpec* option = nullptr;
        if (arg.rfind("--", 0) == 0) {
            for (const OptionSpec& s : known) {
                if (arg.substr(2) == s.name) option = &s;
            }
        }
        if (!option) throw UsageError("unknown option " + Quoted(arg));
        if (parsed.Has(option->name)) throw UsageError("option " + arg + " given twice");
        std::vector<std::string> values;
        for (int k = 0; k < option->valueCount; ++k) {
            const size_t v = i + 1 + static_cast<size_t>(k);
            if (v >= args.size() || args[v].rfind("--", 0) == 0) {
                throw UsageError("option " + arg + " needs " + std::to_string(option->valueCount) +
                                 (option->valueCount == 1 ? " value" : " values"));
            }
            values.push_back(args[v]);
        }
        parsed.Raw().emplace(std::string(option->name), std::move(values));
        i += 1 + static_cast<size_t>(option->valueCount);
    }
    return parsed;
}

int ParseInt(std::string_view text, std::string_view what, int lo, int hi) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        throw UsageError(std::string(what) + " is not a whole number: " + Quoted(text));
    }
    if (v < lo || v > hi) {
        throw UsageError(std::string(what) + " must be in " + std::to_string(lo) + ".." + std::to_string(hi) +
                         ", not " + std::string(text));
    }
    return static_cast<int>(v);
}

double ParseSeconds(std::string_view text, std::string_view what) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) {
        throw UsageError(std::string(what) + " is not a number: " + Quoted(text));
    }
    if (v < 0) throw UsageError(std::string(what) + " must not be negative");
    return v;
}

std::span<const Command> Commands() { return kCommands; }

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || IsHelp(args[0])) {
        out << Usage();
        return 0;
    }
    for (const Command& c : kCommands) {
        if (args[0] != c.name) continue;
        if (args.size() == 2 && IsHelp(args[1])) {
            out << "usage: quivra-tool " << c.name << " " << c.usage << "\n";
            return 0;
        }
        try {
            std::string text;
            c.run(ParseOptions(std::span(args).subspan(1), c.options), text);
            out << text;
            return 0;
        } catch (const UsageError& e) {
            err << "quivra-tool: " << e.what() << "\n";
            return 2;
        }
    }
    err << "quivra-tool: unknown command " << Quoted(args[0]) << " (try --help)\n";
    return 2;
}

}  // namespace quivra::tool
