// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets for a classroom: cells a child can draw in at every level, openings marked and named
// at a size of their own, an answer line a photocopier keeps, titles that print or are refused,
// real document dates, code lists read safely, booklets a second apart that share nothing. Sizes
// are measured on the page as pdftoppm draws it, against millimetres worked out by hand.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <queue>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/shell.h"
#include "tests/tool/run_tool.h"
#include "tools/render_game.h"

namespace quivra::tool {
namespace {

using test::Shell;
using Result = test::ToolRun;

Result Tool(const std::vector<std::string>& args) { return test::RunToolCommand(args); }
std::string Temp(const std::string& name) { return testing::TempDir() + "quivra_sheet_" + name; }
bool HavePoppler() { return Shell("command -v pdftoppm && command -v pdftotext && command -v pdffonts").has_value(); }

double CellSize(const std::string& report) {
    std::smatch m;
    if (!std::regex_search(report, m, std::regex("\ncellSize ([0-9.]+)\n"))) return -1;
    return std::stod(m[1]);
}

// Page `page` of a PDF at `dpi` dots an inch.
QImage PageImage(const std::string& pdf, int page, int dpi) {
    const std::string p = std::to_string(page), png = pdf + "." + p;
    if (!Shell("pdftoppm -r " + std::to_string(dpi) + " -png -singlefile -f " + p + " -l " + p + " " + pdf + " " + png)) {
        return {};
    }
    return QImage(QString::fromStdString(png + ".png")).convertToFormat(QImage::Format_RGB32);
}

struct Piece {
    QRect bounds;
    int pixels = 0;
};

// The pieces of pixels `in` picks, side by side.
std::vector<Piece> Pieces(const QImage& image, const std::function<bool(QRgb)>& in) {
    std::vector<char> seen(static_cast<size_t>(image.width()) * image.height(), 0);
    std::vector<Piece> pieces;
    for (int start = 0; start < image.width() * image.height(); ++start) {
        if (seen[start] || !in(image.pixel(start % image.width(), start / image.width()))) continue;
        Piece piece;
        std::queue<int> queue;
        queue.push(start);
        seen[start] = 1;
        while (!queue.empty()) {
            const int p = queue.front();
            queue.pop();
            const int x = p % image.width(), y = p / image.width();
            piece.bounds |= QRect(x, y, 1, 1);
            ++piece.pixels;
            for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height()) continue;
                const int q = ny * image.width() + nx;
                if (!seen[q] && in(image.pixel(nx, ny))) {
                    seen[q] = 1;
                    queue.push(q);
                }
            }
        }
        pieces.push_back(piece);
    }
    return pieces;
}

// The run length most often met across rows among pixels `in` picks: a vertical line's width.
int CommonWidth(const QImage& image, const std::function<bool(QRgb)>& in) {
    std::map<int, int> runs;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x <= image.width(); ++x) {
            if (x < image.width() && in(image.pixel(x, y))) {
                ++run;
            } else if (run > 0) {
                ++runs[run];
                run = 0;
            }
        }
    }
    if (runs.empty()) return 0;
    return std::max_element(runs.begin(), runs.end(), [](auto a, auto b) { return a.second < b.second; })->first;
}

// The smallest cell each level prints, by hand: a child of 5 or 6 draws in 5 mm, older ones in less.
constexpr double kLeastCell[] = {5, 5, 4, 3, 3};

TEST(Worksheets, NoLevelPaperOrLayoutPrintsCellsUnderAChildsSize) {
    for (const char* style : {"square", "hex"}) {
        for (const char* paper : {"a5", "a4", "letter"}) {
            for (const char* perPage : {"1", "4", "6"}) {
                for (int level = 1; level <= 5; ++level) {
                    const Result r = Tool({"render", "--style", style, "--page", paper, "--per-page", perPage, "--count",
                                           perPage, "--level", std::to_string(level), "--time", "7", "--trials", "1",
                                           "--solutions", "none", "--out", Temp("floor.pdf")});
                    const std::string what = std::string(style) + " " + paper + " " + perPage + " a page, level " +
                                             std::to_string(level);
                    ASSERT_EQ(r.status, 0) << what << ": " << r.err;
                    EXPECT_GE(CellSize(r.out), kLeastCell[level - 1] - 0.005) << what << "\n" << r.out;
                }
            }
        }
    }
}

// The marks at 300 dots an inch: 5 mm is 59 dots. A triangle fills about half its bounds, a disc
// about 0.785 (a quarter of pi).
TEST(Worksheets, EntranceAndExitAreMarkedFiveMillimetresWideInTwoShapesAndNamed) {
    if (!HavePoppler()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    for (const char* lang : {"en", "zh"}) {
        const std::string file = Temp(std::string("marks_") + lang + ".pdf");
        const Result r = Tool({"render", "--style", "hex", "--page", "a5", "--per-page", "6", "--count", "6", "--level",
                               "5", "--time", "9", "--lang", lang, "--solutions", "none", "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string text = Shell("pdftotext " + file + " -").value_or("");
        const std::string start = std::string(lang) == "en" ? "Start" : "起点";
        const std::string finish = std::string(lang) == "en" ? "Finish" : "终点";
        const auto count = [&](const std::string& word) {
            int n = 0;
            for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
            return n;
        };
        EXPECT_EQ(count(start), 6) << text;
        EXPECT_EQ(count(finish), 6) << text;
        const QImage page = PageImage(file, 1, 300);
        ASSERT_FALSE(page.isNull());
        // The marks are the page's only solid grey; the walls are black, the words black.
        std::vector<Piece> marks;
        for (const Piece& p : Pieces(page, [](QRgb c) { return qGray(c) > 30 && qGray(c) < 110; })) {
            if (p.pixels > 400) marks.push_back(p);
        }
        ASSERT_EQ(marks.size(), 12u) << lang;
        int triangles = 0, discs = 0;
        for (const Piece& m : marks) {
            EXPECT_GE(m.bounds.width(), 56) << lang;   // 4.8 mm
            EXPECT_GE(m.bounds.height(), 56) << lang;
            const double filled = double(m.pixels) / (m.bounds.width() * m.bounds.height());
            triangles += filled > 0.4 && filled < 0.6;
            discs += filled > 0.7 && filled < 0.85;
        }
        EXPECT_EQ(triangles, 6) << lang;
        EXPECT_EQ(discs, 6) << lang;
    }
}

// At 600 dots an inch 0.6 mm is 14 dots, 0.4 mm 9; 35% grey is a grey level of 166 at most.
TEST(Worksheets, TheAnswerLineAndTheWallsSurviveAPhotocopier) {
    if (!HavePoppler()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string file = Temp("answers.pdf");
    const Result r = Tool({"render", "--style", "square", "--page", "a5", "--per-page", "6", "--count", "6", "--level",
                           "5", "--time", "9", "--solutions", "end", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_NEAR(CellSize(r.out), 3, 0.5) << r.out;   // the smallest cells a level prints
    const QImage solutions = PageImage(file, 2, 600);
    ASSERT_FALSE(solutions.isNull());
    const auto red = [](QRgb c) { return qRed(c) > 180 && qGreen(c) < 150 && qBlue(c) < 150; };
    EXPECT_GE(CommonWidth(solutions, red), 13);
    long dark = 0, all = 0;
    for (int y = 0; y < solutions.height(); ++y) {
        for (int x = 0; x < solutions.width(); ++x) {
            if (!red(solutions.pixel(x, y))) continue;
            ++all;
            dark += qGray(solutions.pixel(x, y)) <= 166;
        }
    }
    ASSERT_GT(all, 0);
    EXPECT_GT(double(dark) / all, 0.9);
    const QImage mazes = PageImage(file, 1, 600);
    EXPECT_GE(CommonWidth(mazes, [](QRgb c) { return qGray(c) < 100; }), 8);   // 0.4 mm, less a dot for rounding
}

// The first of these scripts that no font here has (fontconfig says which), refused naming the
// character and the script; Devanagari prints in a font that has it, or is refused the same way.
TEST(Worksheets, ATitleInAScriptNoFontHasIsRefusedNamingTheScript) {
    if (!HavePoppler() || !Shell("command -v fc-list")) GTEST_SKIP() << "needs poppler-utils and fontconfig";
    struct Script {
        const char* name;
        const char* charset;   // the character, for fc-list
        const char* title;
    };
    const Script scripts[] = {{"Ethiopic", "1230", "ሰላም ክፍል"},     {"Ol Chiki", "1c5a", "ᱚᱞ ᱪᱤᱠᱤ"},
                              {"Tifinagh", "2d30", "ⴰⵣⵓⵍ"},          {"Vai", "a500", "ꔀꔁꔂ"},
                              {"Devanagari", "092d", "भूलभुलैया कक्षा 1"}, {"Bengali", "09ac", "বাংলা ধাঁধা"},
                              {"Tamil", "0ba4", "தமிழ் புதிர்"}};
    int refused = 0;
    for (const Script& s : scripts) {
        const std::string families = Shell(std::string("fc-list ':charset=") + s.charset + "' family").value_or("");
        const std::string file = Temp("script.pdf");
        std::filesystem::remove(file);
        const Result r = Tool({"render", "--page", "a4", "--title", s.title, "--out", file});
        if (families.empty()) {
            ++refused;
            EXPECT_EQ(r.status, 2) << s.name;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_NE(r.err.find(std::string("U+") + QString(s.charset).toUpper().toStdString()), std::string::npos)
                << r.err;
            EXPECT_NE(r.err.find(s.name), std::string::npos) << r.err;
            EXPECT_FALSE(std::filesystem::exists(file));
        } else {
            ASSERT_EQ(r.status, 0) << s.name << ": " << r.err;
            // Embedded: a font fontconfig names for the script, its blanks left out.
            // Names compared without blanks, hyphens and case ("Lohit Devanagari", "Lohit-Devanagari").
            const auto plain = [](std::string name) {
                std::erase_if(name, [](char c) { return c == ' ' || c == '-'; });
                std::transform(name.begin(), name.end(), name.begin(), [](char c) { return std::tolower(c); });
                return name;
            };
            const std::string family = plain(families.substr(0, families.find_first_of(",\n")));
            EXPECT_NE(plain(Shell("pdffonts " + file).value_or("")).find(family), std::string::npos) << s.name << " " << family;
        }
    }
    EXPECT_GT(refused, 0) << "every script has a font here: add a rarer one";
}

TEST(Worksheets, SolutionPagesAndTheSolutionsFileKeepTheTitle) {
    if (!HavePoppler()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    std::string title;
    // Two full lines on A4 by itself, too long beside the heading.
    for (int i = 0; i < 7; ++i) title += "Week " + std::to_string(i) + " mazes for class ";
    title += std::string(28, 'x');
    const std::string file = Temp("titled.pdf"), solutions = Temp("titled_solutions.pdf");
    for (const char* lang : {"en", "zh"}) {
        const Result r = Tool({"render", "--page", "a4", "--count", "2", "--per-page", "2", "--lang", lang, "--title",
                               title, "--solutions", solutions, "--out", file, "--time", "5"});
        ASSERT_EQ(r.status, 0) << title.size() << ": " << r.err;
        const std::string heading = std::string(lang) == "en" ? "Solutions: " : "答案：";
        EXPECT_NE(Shell("pdfinfo " + solutions).value_or("").find("Title:           " + heading + title),
                  std::string::npos);
        // Too long beside "Solutions: " on two lines: its beginning kept, then an ellipsis.
        std::string text = Shell("pdftotext " + solutions + " -").value_or("");
        std::replace(text.begin(), text.end(), '\n', ' ');
        EXPECT_NE(text.find(heading + "Week 0 mazes for class Week 1"), std::string::npos) << text;
        EXPECT_NE(text.find("…"), std::string::npos) << text;
    }
}

TEST(Worksheets, DocumentsCarryARealDate) {
    if (!HavePoppler()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string file = Temp("dated.pdf");
    ASSERT_EQ(Tool({"render", "--page", "a4", "--time", "100", "--out", file}).status, 0);
    // 100 seconds: 00:01:40 on the first day.
    EXPECT_TRUE(std::regex_search(Shell("pdfinfo -isodates " + file).value_or(""),
                                  std::regex("CreationDate: +1970-01-01T00:01:40Z")));
    ASSERT_EQ(Tool({"render", "--page", "a4", "--out", file}).status, 0);
    std::smatch m;
    const std::string info = Shell("pdfinfo -isodates " + file).value_or("");
    ASSERT_TRUE(std::regex_search(info, m, std::regex("CreationDate: +([0-9]{4})-"))) << info;
    EXPECT_GE(std::stoi(m[1]), 2024);
    EXPECT_EQ(Shell("grep -ac 'D:0000' " + file).value_or("0\n"), "0\n");
}

// Booklets pinned a second apart, and the tries of one booklet, at hand-listed neighbouring times.
TEST(Worksheets, BookletsPinnedASecondApartShareNoMaze) {
    const auto codes = [](const char* time) {
        const Result r = Tool({"render", "--style", "square", "--cells", "10", "10", "--count", "5", "--page", "a4",
                               "--time", time, "--solutions", "none", "--out", Temp("second.pdf")});
        EXPECT_EQ(r.status, 0) << r.err;
        std::set<std::string> found;
        for (size_t at = r.out.find("\ncode "); at != std::string::npos; at = r.out.find("\ncode ", at + 1)) {
            found.insert(r.out.substr(at + 6, r.out.find('\n', at + 1) - at - 6));
        }
        return found;
    };
    for (const auto& [a, b] : {std::pair{"100", "101"}, {"1", "2"}, {"86399", "0"}, {"43200.5", "43201.5"}}) {
        const std::set<std::string> first = codes(a), second = codes(b);
        ASSERT_EQ(first.size(), 5u) << a;
        ASSERT_EQ(second.size(), 5u) << b;
        std::vector<std::string> shared;
        std::set_intersection(first.begin(), first.end(), second.begin(), second.end(), std::back_inserter(shared));
        EXPECT_TRUE(shared.empty()) << a << " and " << b << " share " << shared.size();
    }
    // Mixed, each maze's time lands anywhere in the day, not one second after the last.
    const double t0 = MazeTime(100, 0), t1 = MazeTime(100, 1), u0 = MazeTime(101, 0);
    for (const double t : {t0, t1, u0}) EXPECT_TRUE(t >= 0 && t < 86400) << t;
    EXPECT_GT(std::abs(t1 - t0), 1.5);
    EXPECT_GT(std::abs(u0 - t1), 1.5);
}

TEST(Worksheets, ACodeListFromWindowsNotepadWorks) {
    const std::string list = Temp("notepad.txt");
    std::ofstream(list, std::ios::binary) << "\xEF\xBB\xBFS8x8-63152335-W\r\n# row 2\r\n\r\nH9x6-36925723-9\r\n";
    const Result r = Tool({"render", "--codes", list, "--page", "a4", "--out", Temp("notepad.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("code S8x8-63152335-W\n"), std::string::npos);
    EXPECT_NE(r.out.find("code H9x6-36925723-9\n"), std::string::npos);
}

// The list of codes is never written over, by any spelling or link, nor read beyond its bounds.
TEST(Worksheets, TheCodeListIsBoundedAndNeverWrittenOver) {
    const std::string folder = Temp("codes_dir");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/sub");
    const std::string list = folder + "/L.pdf", content = "S8x8-63152335-W\n";
    const auto refused = [&](const std::vector<std::string>& args, const std::string& reason) {
        std::ofstream(list, std::ios::binary) << content;
        const auto started = std::chrono::steady_clock::now();
        std::vector<std::string> all = {"render", "--page", "a4"};
        all.insert(all.end(), args.begin(), args.end());
        const Result r = Tool(all);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_LT(seconds, 1.0) << r.err;
        std::ifstream in(list, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content) << args.back();
    };
    std::ofstream(list, std::ios::binary) << content;
    std::filesystem::create_symlink("L.pdf", folder + "/link.pdf");
    std::filesystem::create_hard_link(list, folder + "/hard.pdf");
    for (const std::string& out : {list, folder + "/./L.pdf", folder + "/sub/../L.pdf", folder + "/link.pdf",
                                   folder + "/hard.pdf"}) {
        refused({"--codes", list, "--out", out}, "--codes names the --out file");
        refused({"--codes", list, "--solutions", out, "--out", folder + "/b.pdf"}, "--codes names the --solutions file");
    }
    refused({"--codes", "/dev/zero", "--out", folder + "/z.pdf"}, "not a regular file");
    mkfifo((folder + "/fifo").c_str(), 0600);
    refused({"--codes", folder + "/fifo", "--out", folder + "/f.pdf"}, "not a regular file");
    {
        std::ofstream big(folder + "/big.txt", std::ios::binary);
        for (int i = 0; i < 70000; ++i) big << "S8x8-63152335-W\n";   // 1,120,000 bytes
    }
    refused({"--codes", folder + "/big.txt", "--out", folder + "/big.pdf"}, "larger than 1 MB");
    {
        std::ofstream many(folder + "/many.txt", std::ios::binary);
        for (int i = 0; i < 1001; ++i) many << "S8x8-63152335-W\n";
    }
    refused({"--codes", folder + "/many.txt", "--out", folder + "/many.pdf"}, "--codes line 1001: more than 1000 codes");
    EXPECT_FALSE(std::filesystem::exists(folder + "/b.pdf"));
}

// Pages as pictures: one PNG a page at 300 dots an inch (A4: 210 mm, 2480 dots across), numbered,
// all made or none.
TEST(Worksheets, PagesAsPicturesAreOnePngAPage) {
    const std::string folder = Temp("pngs");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Result r = Tool({"render", "--page", "a4", "--count", "2", "--time", "5", "--lang", "en", "--out",
                           folder + "/p.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"p-0001.png", "p-0002.png", "p-0003.png", "p-0004.png"}));
    const QImage first(QString::fromStdString(folder + "/p-0001.png"));
    EXPECT_NEAR(first.width(), 2480, 2);
    EXPECT_NEAR(first.height(), 3508, 2);
    EXPECT_NEAR(first.dotsPerMeterX() * 0.0254, 300, 1);
    // Drawn at that resolution: the maze's black walls reach across the page between the margins.
    int left = first.width(), right = -1;
    for (int y = 0; y < first.height(); y += 4) {
        for (int x = 0; x < first.width(); ++x) {
            if (qGray(first.pixel(x, y)) < 60) left = std::min(left, x), right = std::max(right, x);
        }
    }
    EXPECT_GT(right - left, first.width() * 2 / 3) << left << ".." << right;
    // A page that cannot be written is refused before any work: nothing new, nothing left.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/q-0002.png");
    const Result refused = Tool({"render", "--page", "a4", "--count", "2", "--per-page", "2", "--time", "5", "--out",
                                 folder + "/q.png"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("q-0002.png"), std::string::npos) << refused.err;
    names.clear();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"q-0002.png"}));
}

// A refusal's advice is read back by the tool's own parser whatever the desktop's decimal sign.
TEST(Worksheets, TheAdviceParsesUnderACommaDecimalLocale) {
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    const Result r = Tool({"render", "--page", "a4", "--cell-size", "90", "--out", Temp("comma.pdf")});
    std::smatch m;
    const bool advised = std::regex_search(r.err, m, std::regex("--cell-size (\\S+) at most"));
    const Result again = advised ? Tool({"render", "--page", "a4", "--cell-size", m[1], "--trials", "1", "--out",
                                         Temp("comma.pdf")})
                                 : Result{-1, "", ""};
    if (old) setenv("LC_ALL", saved.c_str(), 1);
    else unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(advised) << r.err;
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("\ncellSize "), std::string::npos);
    EXPECT_EQ(again.out.find(','), std::string::npos) << again.out;
}

}  // namespace
}  // namespace quivra::tool
