// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tool_cli.h"

#include <QtGlobal>

#include <QChar>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <sstream>

#include "game/game.h"
#include "game/style_rules.h"
#include "maze/maze_code.h"
#include "tools/progress.h"

namespace quivra::tool {

namespace {

// Candidate seeds repeat after 10^8 candidates, so more would only carve the same mazes again.
constexpr int kMaxTrials = 100'000'000;
// The clock reads seconds since midnight, so no budget beyond a day can be kept.
constexpr int kMaxBudget = 86400;

MazeShape ShapeFromOptions(const ParsedOptions& options) {
    const std::string& style = options.Required("style")[0];
    const StyleRules* rules = RulesNamed(style);
    if (!rules) throw UsageError("unknown style " + Quoted(style) + " (square or hex)");
    const auto& cells = options.Required("cells");
    const int cellsX = ParseInt(cells[0], "cells X", rules->minCellsX, MazeShape::kMaxSide);
    const int cellsY = ParseInt(cells[1], "cells Y", rules->minCellsY, MazeShape::kMaxSide);
    if (rules->oddCellsX && cellsX % 2 == 0) {
        throw UsageError("honeycomb cells X must be odd, not " + Quoted(cells[0]));
    }
    const auto s = MazeShape::Limited(rules->style, cellsX, cellsY);
    if (!s) {
        throw UsageError("maze too large: more than " + std::to_string(MazeShape::kMaxGridPositions) +
                         " grid positions");
    }
    return *s;
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

// One maze carved from its seed digits and solved, printed.
void PrintCarved(const MazeShape& s, const SeedDigits& seed, std::string& out) {
    const StyleRules& rules = RulesOf(s.style);
    ByteGrid grid;
    grid.Redim(s.gridMaxY, s.gridMaxX);
    PathSteps steps(static_cast<size_t>(s.cellCount) + 1);
    const int draws = rules.carve(SharedTables(), grid, s, steps, seed);
    const MazeMeasures m = rules.solve(SharedTables(), steps, grid, s);
    PrintMaze(grid, steps, m, draws, out);
}

void RunCarve(const ParsedOptions& options, std::string& out, int) {
    const MazeShape s = ShapeFromOptions(options);
    PrintCarved(s, ParseDigits(options.Required("digits")[0]), out);
}

// generate --code: the named maze carved again, no search.
void RunGenerateFromCode(const ParsedOptions& options, std::string& out) {
    for (const char* other : {"style", "cells", "seed-text", "trials", "budget", "threads"}) {
        if (options.Has(other)) throw UsageError("--code makes its maze without a search: drop --" + std::string(other));
    }
    const std::string& text = options.Required("code")[0];
    const MazeCodeResult parsed = ParseMazeCode(text);
    if (!parsed.maze) throw UsageError("maze code " + Quoted(text) + " is not valid: " + parsed.error);
    PrintCarved(parsed.maze->shape, parsed.maze->digits, out);
    out += "bestDigits " + DigitsText(parsed.maze->digits) + "\n";
    out += "code " + MazeCode(*parsed.maze) + "\n";
}

void RunGenerate(const ParsedOptions& options, std::string& out, int progressFd) {
    if (options.Has("code")) {
        RunGenerateFromCode(options, out);
        return;
    }
    const MazeShape s = ShapeFromOptions(options);
    const std::string& seedText = options.Required("seed-text")[0];
    if (options.Has("trials") == options.Has("budget")) throw UsageError("give exactly one of --trials and --budget");

    Clock clock;
    double budget;
    const bool counted = options.Has("trials");
    if (counted) {
        // A clock that moves one second per reading, against a budget of N seconds: N candidates.
        budget = ParseInt(options.Required("trials")[0], "trial count", 0, kMaxTrials);
        clock = [reading = 0.0]() mutable { return reading++; };
    } else {
        budget = ParseSeconds(options.Required("budget")[0], "budget", kMaxBudget);
        clock = WallClockSeconds;
    }
    const int threads = options.Has("threads") ? ParseInt(options.Required("threads")[0], "thread count", 1, 1024) : 0;
    ByteGrid grid;
    grid.Redim(s.gridMaxY, s.gridMaxX);
    PathSteps steps(static_cast<size_t>(s.cellCount) + 1);
    GenerationReport r;
    {
        Progress progress(progressFd, counted ? static_cast<long long>(budget) : -1, budget, 1);
        const Clock watched = [&clock, &progress] {
            progress.Reading();
            return clock();
        };
        r = RulesOf(s.style).generate(SharedTables(), watched, seedText, grid, s, steps, budget, threads);
    }
    PrintMaze(grid, steps, r.measures, r.draws, out);
    out += "bestDigits " + DigitsText(r.bestDigits) + "\n";
    out += "trial " + std::to_string(r.bestTrial) + "\n";
    out += "trials " + std::to_string(r.trials) + "\n";
    out += "code " + MazeCode({s, r.bestDigits}) + "\n";
}

// An option as one command shows it in its usage line.
constexpr OptionSpec As(InUsage inUsage, OptionSpec option) {
    option.inUsage = inUsage;
    return option;
}

// Options more than one command takes.
constexpr OptionSpec kStyle{"style", 1, "square|hex", "the maze style: squares or a honeycomb"};
constexpr OptionSpec kCells{"cells", 2, "X Y",
                            "cells across and down: square 2..20000 each, honeycomb X odd 3..20000, Y 2..20000"};
constexpr OptionSpec kTrials{"trials", 1, "N",
                             "exactly N candidates (generate 0..100000000; render 0..1000000, default 100)"};
constexpr OptionSpec kCode{"code", 1, "CODE", "make the maze a printed code names again, without a search"};

constexpr OptionSpec kCarveOptions[] = {
    kStyle,
    kCells,
    {"digits", 1, "d1,...,d8", "the candidate's eight seed digits 0..9, the least significant first"},
};
constexpr OptionSpec kGenerateOptions[] = {
    kStyle,
    kCells,
    {"seed-text", 1, "TEXT", "the seed text, as the game makes it from the time of day, e.g. \" 43200.52\""},
    As(InUsage::Either, kTrials),
    {"budget", 1, "SECONDS", "search that long by the wall clock instead, 0..86400", InUsage::Or},
    {"threads", 1, "N", "carve candidates on N threads, 1..1024 (default: every core); same result",
     InUsage::Optional},
    As(InUsage::Instead, kCode),
};
constexpr OptionSpec kRenderOptions[] = {
    kStyle,
    {"size", 1, "WxH", "the window's client area in pixels (default 400x298, at most 16000 x 9000)",
     InUsage::Optional},
    {"tilt", 1, "DEGREES", "the tilt bar, 30..60 (default 45)", InUsage::Optional},
    {"time", 1, "SECONDS", "the clock's reading when the maze is made, below 86400 (default 43200.52)",
     InUsage::Optional},
    As(InUsage::Optional, kTrials),
    {"keys", 1, "K1,K2,...", "key presses after the build, as virtual-key codes 1..255 (37..40 arrows)",
     InUsage::Optional},
    {"solution", 0, "", "then show the correct path", InUsage::Optional},
    {"clear", 0, "", "then clear the trail and redraw", InUsage::Optional},
    {"palette", 0, "", "draw as on a 256-colour palette display (the same picture)", InUsage::Optional},
    {"dump", 0, "", "also print mazeGrid and walkGrid", InUsage::Optional},
    {"out", 1, "FILE", "the picture: .png, .jpg, .jpeg, .bmp, .ppm, .svg or .pdf; written whole or not at all"},
    {"view", 1, "scene|plan|first-person",
     "the tilted 3D scene (default), a flat plan for pen and paper, or the view from inside (--keys: forward, back, turns)",
     InUsage::Optional},
    As(InUsage::Optional, kCode),
    {"page", 1, "a5|a4|a3|letter|legal", "a5, a4, a3, letter or legal (.pdf, .svg, or .png: a picture a page): the plan fills it; new mazes each run",
     InUsage::Optional},
    {"count", 1, "N", "a PDF booklet of N mazes, 1..1000, then their solutions", InUsage::Optional},
    As(InUsage::OptionalEither, kCells),
    {"cell-size", 1, "MM", "with --page: as many cells as fit at least MM millimetres wide, 3..100",
     InUsage::OptionalOr},
    {"per-page", 1, "1|2|4|6", "a booklet's mazes on a page: 1, 2, 4 or 6", InUsage::Optional},
    {"solutions", 1, "end|none|FILE.pdf", "a booklet's solutions: end (default), none, or another .pdf file",
     InUsage::Optional},
    {"title", 1, "TEXT", "with --page: a title over each page of mazes", InUsage::Optional},
    {"name-line", 0, "", "with --page: a line for a name and the date under the title", InUsage::Optional},
    {"level", 1, "1..5", "with --page: mazes from a few large cells (1) to many small ones (5); default 3",
     InUsage::Optional},
    {"codes", 1, "FILE", "a booklet of the maze codes in FILE (or - for standard input), one a line (# comments), 1 MB at most", InUsage::Optional},
    {"lang", 1, "zh|en", "with --page: the page's words in Chinese or English (default: as the game speaks)",
     InUsage::Optional},
    {"quiet", 0, "", "print nothing but errors", InUsage::Optional},
    {"zoom", 1, "0..6", "the scene or plan zoomed in that many steps (Ctrl+= in the game, each doubling the scale), centred on the player",
     InUsage::Optional},
};

constexpr const char* kPrintingExamples =
    "printing: --out FILE.svg or FILE.pdf draws vector shapes; for example\n"
    "  quivra-tool render --style hex --view plan --solution --out maze.pdf     the plan with its correct path\n"
    "  quivra-tool render --code H21x13-93782719-0 --out maze.svg               a maze again from its code\n"
    "  quivra-tool render --style square --view plan --count 5 --page a4 --out booklet.pdf\n"
    "                                            five mazes on A4 pages, then their solutions\n";

constexpr Command kCommands[] = {
    {"carve", "carve one maze from eight seed digits; print its grid, measures and correct path", kCarveOptions,
     RunCarve},
    {"generate", "search for the best maze from a seed text, as the game does; print it like carve",
     kGenerateOptions, RunGenerate},
    {"render", "build a whole scene through the game's stages, replay keys, save it as a picture", kRenderOptions,
     RunRender},
};

// The option with its values, as the usage line and the help rows show it: "--cells X Y".
std::string Named(const OptionSpec& o) {
    std::string s = "--";
    s.append(o.name);
    if (!o.values.empty()) s.append(" ").append(o.values);
    return s;
}

// One line: the name padded to a column, then what it does.
std::string HelpRow(std::string_view name, std::string_view text) {
    std::string row = "  " + std::string(name);
    row.resize(std::max<size_t>(row.size() + 2, 24), ' ');
    return row + std::string(text) + "\n";
}

// "quivra-tool carve --style square|hex --cells X Y --digits d1,...,d8"
std::string UsageLine(const Command& c) {
    std::string s = "quivra-tool " + std::string(c.name);
    for (const OptionSpec& o : c.options) {
        switch (o.inUsage) {
            // Appended piecewise: GCC 12 warns, wrongly, on a literal plus a temporary string.
            case InUsage::Required: s.append(" ").append(Named(o)); break;
            case InUsage::Optional: s.append(" [").append(Named(o)).append("]"); break;
            case InUsage::Either: s.append(" (").append(Named(o)); break;
            case InUsage::Or: s.append(" | ").append(Named(o)).append(")"); break;
            case InUsage::Instead: s.append(" | ").append(Named(o)); break;
            case InUsage::OptionalEither: s.append(" [").append(Named(o)); break;
            case InUsage::OptionalOr: s.append(" | ").append(Named(o)).append("]"); break;
        }
    }
    return s + "\n";
}

std::string CommandUsage(const Command& c) {
    std::string s = "usage: " + UsageLine(c);
    for (const OptionSpec& o : c.options) s += HelpRow(Named(o), o.help);
    return s;
}

std::string Usage() {
    std::string s = "usage: quivra-tool COMMAND [OPTIONS]\n";
    for (const Command& c : kCommands) s += "  " + UsageLine(c);
    s += "\nCommands:\n";
    for (const Command& c : kCommands) s += HelpRow(c.name, c.help);
    s += HelpRow("--help", "this text; COMMAND --help: that command's usage");
    s += "\nOptions:\n";
    std::vector<std::string_view> listed;
    for (const Command& c : kCommands) {
        for (const OptionSpec& o : c.options) {
            if (std::find(listed.begin(), listed.end(), o.name) != listed.end()) continue;
            listed.push_back(o.name);
            s += HelpRow(Named(o), o.help);
        }
    }
    s += "\n";
    s += kPrintingExamples;
    return s + "\nSee quivra-tool(6)\n";
}

bool IsHelp(std::string_view a) { return a == "--help" || a == "-h" || a == "help"; }

// The code point of the UTF-8 sequence at s[i] and its length, or -1 where the bytes there are
// not valid UTF-8 (bad or missing continuation, overlong form, surrogate, beyond U+10FFFF).
long DecodeUtf8(std::string_view s, size_t i, size_t& length) {
    const auto lead = static_cast<unsigned char>(s[i]);
    length = 1;
    if (lead < 0x80) return lead;
    size_t n;
    long cp, least;
    if ((lead & 0xe0) == 0xc0) {
        n = 2, cp = lead & 0x1f, least = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        n = 3, cp = lead & 0x0f, least = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        n = 4, cp = lead & 0x07, least = 0x10000;
    } else {
        return -1;
    }
    if (i + n > s.size()) return -1;
    for (size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xc0) != 0x80) return -1;
        cp = cp << 6 | (c & 0x3f);
    }
    if (cp < least || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return -1;
    length = n;
    return cp;
}

// Not control characters (C0, DEL, C1), nor those that break, reorder or hide part of a terminal
// line: line and paragraph separators and every format character (direction marks, embeddings and
// overrides, zero-width characters, the byte order mark).
bool Printable(long cp) {
    if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0)) return false;
    const QChar::Category category = QChar::category(static_cast<char32_t>(cp));
    return category != QChar::Other_Format && category != QChar::Separator_Line &&
           category != QChar::Separator_Paragraph;
}

// The command's output, or one line on `err` when even that cannot be written (a full disk).
int RunStatus(const std::string& text, std::ostream& out, std::ostream& err) {
    errno = 0;
    out << text << std::flush;
    if (out) return 0;
    const int error = errno;
    err << "quivra-tool: cannot write to standard output" << (error ? std::string(": ") + std::strerror(error) : "")
        << "\n";
    return 1;
}

// Qt reports problems (an image it cannot allocate, a failed encoder) on stderr by itself. The tool
// checks every step and reports them in its own one line, so Qt's are held back while it runs.
class QuietQt {
public:
    QuietQt() { previous_ = qInstallMessageHandler(Handle); }
    ~QuietQt() { qInstallMessageHandler(previous_); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtFatalMsg && previous_) previous_(type, context, message);   // Qt aborts next anyway
    }
    static inline QtMessageHandler previous_ = nullptr;
};

}  // namespace

std::string Quoted(std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    std::string q(1, '\'');
    size_t i = 0;
    for (size_t shown = 0; i < s.size() && shown < kQuotedLength; ++shown) {
        size_t length;
        const long cp = DecodeUtf8(s, i, length);
        if (cp == '\\') {
            q += "\\\\";
        } else if (cp >= 0 && Printable(cp)) {
            q += s.substr(i, length);
        } else {
            for (size_t k = i; k < i + length; ++k) {
                const auto u = static_cast<unsigned char>(s[k]);
                q += "\\x";
                q += hex[u >> 4];
                q += hex[u & 15];
            }
        }
        i += length;
    }
    q += '\'';
    if (i < s.size()) q += "\xe2\x80\xa6";   // U+2026 HORIZONTAL ELLIPSIS
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

std::string Decimal(double value, int places) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    return ec == std::errc() ? std::string(text, end) : std::string("?");
}

int ParseInt(std::string_view text, std::string_view what, int lo, int hi) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || end != text.data() + text.size() || ec == std::errc::invalid_argument) {
        throw UsageError(std::string(what) + " is not a whole number: " + Quoted(text));
    }
    // Digits beyond what a long long holds are still a whole number, only out of range.
    if (ec == std::errc::result_out_of_range || v < lo || v > hi) {
        throw UsageError(std::string(what) + " must be in " + std::to_string(lo) + ".." + std::to_string(hi) +
                         ", not " + Quoted(text));
    }
    return static_cast<int>(v);
}

double ParseSeconds(std::string_view text, std::string_view what, int max, bool maxIncluded) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || end != text.data() + text.size() || ec == std::errc::invalid_argument || std::isnan(v)) {
        throw UsageError(std::string(what) + " is not a number: " + Quoted(text));
    }
    // Too large for a double, or too small: the exponent's sign tells which (infinity or about zero),
    // as in every locale.
    if (ec == std::errc::result_out_of_range) {
        const size_t e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        v = tiny ? 0.0 : (text.front() == '-' ? -HUGE_VAL : HUGE_VAL);
    }
    if (!(v >= 0 && (maxIncluded ? v <= max : v < max))) {
        throw UsageError(std::string(what) + (maxIncluded ? " must be in 0.." : " must be at least 0 and below ") +
                         std::to_string(max) + " seconds, not " + Quoted(text));
    }
    return v + 0.0;   // no negative zero
}

MazeShape CellsFromOptions(const ParsedOptions& options) { return ShapeFromOptions(options); }

std::span<const Command> Commands() { return kCommands; }

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int progressFd) {
    const QuietQt quiet;
    if (args.empty() || IsHelp(args[0])) return RunStatus(Usage(), out, err);
    for (const Command& c : kCommands) {
        if (args[0] != c.name) continue;
        if (args.size() == 2 && IsHelp(args[1])) {
            return RunStatus(CommandUsage(c), out, err);
        }
        try {
            std::string text;
            c.run(ParseOptions(std::span(args).subspan(1), c.options), text, progressFd);
            return RunStatus(text, out, err);
        } catch (const UsageError& e) {
            err << "quivra-tool: " << e.what() << "\n";
            return 2;
        } catch (const WriteError& e) {
            err << "quivra-tool: " << e.what() << "\n";
            return 1;
        }
    }
    err << "quivra-tool: unknown command " << Quoted(args[0]) << " (try --help)\n";
    return 2;
}

}  // namespace quivra::tool
