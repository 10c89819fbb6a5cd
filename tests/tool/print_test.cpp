// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool's printing: the scene and the plan as PNG, SVG and PDF, drawn by one path; the plan's
// structure; maze codes; booklets. The vector files are turned back into pictures by rsvg-convert
// and pdftoppm (librsvg2-bin, poppler-utils), as a viewer would.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QImage>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <functional>
#include <optional>
#include <queue>
#include <set>
#include <span>
#include <sstream>
#include <thread>
#include <algorithm>

#include "tests/support/shell.h"
#include "tests/tool/run_tool.h"
#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

using Result = test::ToolRun;

Result Tool(const std::vector<std::string>& args) { return test::RunToolCommand(args); }

std::string Temp(const std::string& name) { return testing::TempDir() + "quivra_print_" + name; }

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using test::Shell;

bool HaveRasterisers() { return Shell("command -v rsvg-convert && command -v pdftoppm && command -v pdfinfo").has_value(); }

QImage Rasterised(const std::string& file, int width, int height) {
    const std::string png = file + ".back.png";
    const std::string command = file.ends_with(".svg")
                                    ? "rsvg-convert -w " + std::to_string(width) + " -h " + std::to_string(height) +
                                          " -b white -o " + png + " " + file
                                    : "pdftoppm -r 72 -png -singlefile " + file + " " + file + ".back";
    if (!Shell(command)) return {};
    return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

// Of the pixels away from any edge of the picture (the 3 x 3 around them one colour), the share
// that came back the same; and the share of all pixels.
std::pair<double, double> SameShares(const QImage& png, const QImage& back) {
    long inner = 0, innerSame = 0, same = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const bool equal = png.pixel(x, y) == back.pixel(x, y);
            same += equal;
            bool flat = y > 0 && x > 0 && y + 1 < png.height() && x + 1 < png.width();
            for (int dy = -1; flat && dy <= 1; ++dy)
                for (int dx = -1; flat && dx <= 1; ++dx) flat = png.pixel(x + dx, y + dy) == png.pixel(x, y);
            inner += flat;
            innerSame += flat && equal;
        }
    }
    return {double(innerSame) / std::max(1L, inner), double(same) / (png.width() * png.height())};
}

TEST(Printing, VectorFilesComeBackAsThePictureExceptOnEdges) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs rsvg-convert and pdftoppm (scripts/install-deps.sh --test)";
    struct Case {
        const char* style;
        const char* view;
        std::vector<std::string> extra;
    };
    const Case cases[] = {
        {"square", "scene", {"--solution"}},   {"hex", "scene", {"--keys", "34,34,40,33"}},
        {"square", "plan", {"--solution"}},    {"hex", "plan", {"--solution", "--keys", "34,34,40"}},
        {"hex", "scene", {"--tilt", "30"}},    {"square", "plan", {"--keys", "39,40,40,38"}},
    };
    for (const Case& c : cases) {
        QImage png;
        for (const char* format : {"png", "svg", "pdf"}) {
            const std::string file = Temp(std::string(c.style) + "_" + c.view + "." + format);
            std::vector<std::string> args = {"render", "--style", c.style, "--view", c.view, "--size", "360x250"};
            args.insert(args.end(), c.extra.begin(), c.extra.end());
            args.insert(args.end(), {"--out", file});
            const Result r = Tool(args);
            ASSERT_EQ(r.status, 0) << r.err;
            const std::string what = std::string(c.style) + " " + c.view + " " + format;
            if (png.isNull()) {
                png = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
                ASSERT_EQ(png.size(), QSize(360, 250));
                continue;
            }
            const QImage back = Rasterised(file, 360, 250);
            ASSERT_EQ(back.size(), png.size()) << what;
            const auto [inner, all] = SameShares(png, back);
            // A scene's faces are made of many polygons: the seams between polygons of one colour are
            // edges to a vector rasteriser, though the picture shows none.
            const bool plan = std::string(c.view) == "plan";
            EXPECT_GE(inner, plan ? 0.999 : 0.95) << what;
            EXPECT_GE(all, plan ? 0.9 : 0.85) << what;
            std::printf("%s: %.1f%% of all pixels, %.2f%% away from edges the same\n", what.c_str(), 100 * all,
                        100 * inner);
        }
    }
}

// Pieces of pixels that `in` picks, joined side by side.
int Pieces(const QImage& image, const std::function<bool(QRgb)>& in, std::vector<int>* label = nullptr,
           bool corners = false) {
    std::vector<int> seen(static_cast<size_t>(image.width() * image.height()), 0);
    int pieces = 0;
    for (int start = 0; start < image.width() * image.height(); ++start) {
        if (seen[start] || !in(image.pixel(start % image.width(), start / image.width()))) continue;
        ++pieces;
        std::queue<int> queue;
        queue.push(start);
        seen[start] = pieces;
        while (!queue.empty()) {
            const int p = queue.front();
            queue.pop();
            const int x = p % image.width(), y = p / image.width();
            // Side by side; with `corners` also corner to corner, as a line one pixel wide is drawn.
            const int next[8][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1},
                                    {x - 1, y - 1}, {x + 1, y - 1}, {x - 1, y + 1}, {x + 1, y + 1}};
            for (const auto& [nx, ny] : std::span(next).first(corners ? 8 : 4)) {
                if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height()) continue;
                const int q = ny * image.width() + nx;
                if (!seen[q] && in(image.pixel(nx, ny))) {
                    seen[q] = pieces;
                    queue.push(q);
                }
            }
        }
    }
    if (label) *label = std::move(seen);
    return pieces;
}

TEST(Printing, ThePlanIsAPerfectMazeWithItsPathThroughTheOpenings) {
    const auto black = [](QRgb c) { return c == qRgb(0, 0, 0); };
    const auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 120 && qBlue(c) < 120; };
    for (const char* style : {"square", "hex"}) {
        for (const char* size : {"400x298", "900x500", "240x400"}) {
            QImage plan[2];
            for (int solution = 0; solution < 2; ++solution) {
                const std::string file = Temp(std::string("structure") + std::to_string(solution) + ".png");
                std::vector<std::string> args = {"render", "--style", style, "--view", "plan", "--size", size, "--out", file};
                if (solution) args.push_back("--solution");
                ASSERT_EQ(Tool(args).status, 0);
                plan[solution] = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
            }
            const std::string what = std::string(style) + " " + size;
            // Every wall joined to the outer wall, which the two openings cut in two: two pieces.
            EXPECT_EQ(Pieces(plan[0], black), 2) << what;
            // The floor, with the outside through the openings, one piece.
            EXPECT_EQ(Pieces(plan[0], [&](QRgb c) { return !black(c); }), 1) << what;
            // The path: one red line from above the top wall to below the bottom one, over no wall.
            std::vector<int> label;
            EXPECT_EQ(Pieces(plan[1], red, &label, true), 1) << what;
            int top = plan[1].height(), bottom = -1, topWall = plan[0].height(), bottomWall = -1;
            for (int y = 0; y < plan[1].height(); ++y) {
                for (int x = 0; x < plan[1].width(); ++x) {
                    if (red(plan[1].pixel(x, y))) top = std::min(top, y), bottom = std::max(bottom, y);
                    if (black(plan[0].pixel(x, y))) topWall = std::min(topWall, y), bottomWall = std::max(bottomWall, y);
                    if (red(plan[1].pixel(x, y))) {
                        EXPECT_FALSE(black(plan[0].pixel(x, y))) << what << " crosses a wall at " << x << "," << y;
                    }
                }
            }
            EXPECT_LE(top, topWall) << what;
            EXPECT_GE(bottom, bottomWall) << what;
        }
    }
}

std::string Code(const std::string& report) {
    const size_t at = report.rfind("\ncode ");
    return at == std::string::npos ? "" : report.substr(at + 6, report.find('\n', at + 1) - at - 6);
}

TEST(Printing, AMazeCodeMakesTheSameMazeAgain) {
    for (const char* style : {"square", "hex"}) {
        for (const char* format : {"png", "svg", "pdf"}) {
            const std::string first = Temp(std::string("first.") + format), again = Temp(std::string("again.") + format);
            const Result made = Tool({"render", "--style", style, "--size", "500x380", "--trials", "60", "--time", "1234",
                                     "--solution", "--out", first});
            ASSERT_EQ(made.status, 0) << made.err;
            const std::string code = Code(made.out);
            const Result remade = Tool({"render", "--code", code, "--size", "500x380", "--time", "1234", "--solution",
                                       "--out", again});
            ASSERT_EQ(remade.status, 0) << remade.err;
            EXPECT_EQ(remade.out, made.out) << code;
            EXPECT_EQ(Bytes(again), Bytes(first)) << code << " " << format;
        }
        // generate prints the code of its maze; generate --code makes that maze without a search.
        const Result searched = Tool({"generate", "--style", style, "--cells", "9", "6", "--seed-text", "x", "--trials", "50"});
        const Result named = Tool({"generate", "--code", Code(searched.out)});
        ASSERT_EQ(named.status, 0) << named.err;
        const std::string grid = searched.out.substr(0, searched.out.find("bestDigits"));
        EXPECT_EQ(named.out.substr(0, named.out.find("bestDigits")), grid);
        // A plan from a code for another size of window draws the code's maze.
        const Result plan = Tool({"render", "--code", Code(searched.out), "--view", "plan", "--out", Temp("coded.png")});
        EXPECT_EQ(plan.status, 0) << plan.err;
        EXPECT_NE(plan.out.find(style == std::string("hex") ? "cells 9 6\n" : "cells 9 6\n"), std::string::npos);
    }
}

// The PDF writer stamps the time to the second: the same render a second later gives the same bytes.
TEST(Printing, TheSamePdfASecondLaterIsTheSameBytes) {
    const std::vector<std::string> pages[] = {{}, {"--page", "a4"}, {"--count", "2", "--page", "letter"}};
    for (const std::vector<std::string>& page : pages) {
        std::string bytes[2];
        for (int run = 0; run < 2; ++run) {
            if (run == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
            const std::string file = Temp("again_" + std::to_string(run) + ".pdf");
            // The time pinned: paper otherwise gets new mazes each run.
            std::vector<std::string> args = {"render", "--style", "hex", "--size", "200x150", "--trials", "3",
                                             "--time", "1000"};
            args.insert(args.end(), page.begin(), page.end());
            args.insert(args.end(), {"--out", file});
            const Result r = Tool(args);
            ASSERT_EQ(r.status, 0) << r.err;
            bytes[run] = Bytes(file);
        }
        EXPECT_FALSE(bytes[0].empty());
        EXPECT_TRUE(bytes[1] == bytes[0]) << page.size() << " page options";
    }
}

TEST(Printing, NewOptionsRefuseInOneLine) {
    std::filesystem::remove(Temp("refused.pdf"));
    std::filesystem::remove(Temp("refused.png"));
    const std::string ok = "S3x2-33913796-X";
    const std::vector<std::vector<std::string>> bad = {
        {"render", "--code", "S3x2-33913796-Y", "--out", Temp("x.png")},
        {"render", "--code", "S3x2-33913769-X", "--out", Temp("x.png")},
        {"render", "--code", ok, "--style", "hex", "--out", Temp("x.png")},
        {"render", "--code", ok, "--trials", "5", "--out", Temp("x.png")},
        {"render", "--code", ok, "--count", "2", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--view", "top", "--out", Temp("x.png")},
        {"render", "--style", "hex", "--page", "a2", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--page", "a4", "--count", "2", "--out", Temp("x.svg")},
        {"render", "--style", "hex", "--count", "2", "--out", Temp("x.png")},
        {"render", "--style", "hex", "--count", "1001", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--count", "2", "--solution", "--out", Temp("x.pdf")},
        {"generate", "--code", "S3x2-33913796-x1"},
        {"generate", "--code", ok, "--cells", "3", "2"},
        // Sizes, pages and booklets: all refused before any work, so no file is made.
        {"render", "--style", "hex", "--count", "0", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--count", "1", "--size", "1x1", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--count", "2", "--size", "1x1", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cells", "2", "2", "--count", "60", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cells", "1000", "1000", "--count", "100", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--size", "16000x9000", "--view", "scene", "--trials", "0", "--count", "20",
         "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--code", "S1000x200-12345678-F", "--view", "plan", "--solution", "--size", "400x298", "--out", Temp("refused.png")},
        {"render", "--style", "square", "--cells", "20000", "20000", "--out", Temp("refused.png")},
        {"render", "--style", "hex", "--cells", "20", "9", "--out", Temp("refused.png")},
        {"render", "--code", ok, "--cells", "3", "2", "--out", Temp("refused.png")},
        {"render", "--style", "square", "--count", "3", "--per-page", "3", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--per-page", "2", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cell-size", "10", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cell-size", "2.9", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cell-size", "90", "--page", "a5", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--cell-size", "9", "--view", "scene", "--page", "a5", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--count", "2", "--solutions", Temp("s.png"), "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--solutions", "none", "--page", "a4", "--out", Temp("refused.pdf")},
        {"render", "--style", "square", "--title", "T", "--out", Temp("refused.pdf")},
        // Pages as pictures are PNG files of their own: no solutions file beside them, no device.
        {"render", "--style", "square", "--page", "a4", "--count", "2", "--solutions", Temp("s.pdf"), "--out",
         Temp("refused.png")},
        {"render", "--style", "square", "--page", "a4", "--out", "/dev/null"},
    };
    for (const auto& args : bad) {
        const Result r = Tool(args);
        EXPECT_EQ(r.status, 2) << args[2] << " " << args[3] << " " << args[4];
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Temp("refused.pdf")));
    EXPECT_FALSE(std::filesystem::exists(Temp("refused.png")));
}

TEST(Printing, ACropThatWouldBeUnreadableNamesASizeThatDoes) {
    const std::string file = Temp("legible.png");
    const Result r = Tool({"render", "--code", "S1000x200-12345678-F", "--view", "plan", "--size", "400x298", "--out", file});
    const size_t at = r.err.find("--size ");
    ASSERT_NE(at, std::string::npos) << r.err;
    const std::string size = r.err.substr(at + 7, r.err.find(' ', at + 7) - at - 7);
    const Result again = Tool({"render", "--code", "S1000x200-12345678-F", "--view", "plan", "--size", size, "--out", file});
    ASSERT_EQ(again.status, 0) << again.err;
    // Every wall still joined to the outer wall: the whole maze is there, not a part of it.
    const QImage plan = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Pieces(plan, [](QRgb c) { return c == qRgb(0, 0, 0); }), 2);
}

TEST(Printing, ABookletHasEachMazeThenEachSolutionOnPagesOfItsSize) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdfinfo (scripts/install-deps.sh --test)";
    for (const auto& [page, size] : {std::pair{"a4", "595 x 842 pts (A4)"}, std::pair{"letter", "612 x 792 pts (letter)"}}) {
        const std::string file = Temp(std::string("booklet_") + page + ".pdf");
        // A tall plan stands upright on the page.
        const Result r = Tool({"render", "--style", "hex", "--view", "plan", "--size", "300x400", "--count", "3",
                              "--page", page, "--lang", "en", "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        std::set<std::string> codes;
        for (size_t at = r.out.find("code "); at != std::string::npos; at = r.out.find("code ", at + 1)) {
            codes.insert(r.out.substr(at, r.out.find('\n', at) - at));
        }
        EXPECT_EQ(codes.size(), 3u) << r.out;
        EXPECT_NE(r.out.find("pages 6\n"), std::string::npos);
        const std::string info = Shell("pdfinfo -l 6 " + file).value_or("");
        EXPECT_NE(info.find("Pages:           6\n"), std::string::npos) << info;
        EXPECT_NE(info.find("Page    6 size:  " + std::string(size)), std::string::npos) << info;
        // Page 1 shows the first maze without its path, page 4 the same maze with it.
        const std::string text = Shell("pdftotext -layout " + file + " -").value_or("");
        EXPECT_NE(text.find(*codes.begin()), std::string::npos) << text;
    }
    // A wide maze turns the page.
    const std::string wide = Temp("booklet_wide.pdf");
    ASSERT_EQ(Tool({"render", "--style", "square", "--cells", "15", "10", "--count", "1", "--page", "a4", "--out", wide}).status, 0);
    EXPECT_NE(Shell("pdfinfo " + wide).value_or("").find("842 x 595 pts (A4)"), std::string::npos);
}

// Every "code ..." line of a report, in order.
std::vector<std::string> Codes(const std::string& report) {
    std::vector<std::string> codes;
    for (size_t at = report.find("code "); at != std::string::npos; at = report.find("code ", at + 1)) {
        if (at == 0 || report[at - 1] == '\n') codes.push_back(report.substr(at + 5, report.find('\n', at) - at - 5));
    }
    return codes;
}

std::string PageText(const std::string& pdf, int page) {
    const std::string p = std::to_string(page);
    return Shell("pdftotext -layout -f " + p + " -l " + p + " " + pdf + " -").value_or("");
}

// The labels ("Maze 3", "Solution 3") and codes of a page in reading order.
std::vector<std::pair<int, std::string>> Labelled(const std::string& text, const std::string& word) {
    std::vector<std::pair<int, std::string>> found;
    const std::regex item(word + " ([0-9]+) +code ([A-Z0-9x-]+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), item); it != std::sregex_iterator(); ++it) {
        found.emplace_back(std::stoi((*it)[1]), (*it)[2]);
    }
    return found;
}

TEST(Printing, ABookletNumbersItsMazesAndLabelsTheSolutionsInTheSameOrder) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string file = Temp("numbered.pdf");
    const Result r = Tool({"render", "--style", "square", "--cells", "20", "28", "--count", "12", "--per-page", "4",
                          "--page", "a4", "--time", "777", "--lang", "en", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> codes = Codes(r.out);
    ASSERT_EQ(codes.size(), 12u);
    EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()).size(), 12u);
    const std::string info = Shell("pdfinfo -l 6 " + file).value_or("");
    EXPECT_NE(info.find("Pages:           6\n"), std::string::npos) << info;
    for (int page = 1; page <= 6; ++page) {
        EXPECT_NE(info.find("Page    " + std::to_string(page) + " size:  595 x 842 pts (A4)"), std::string::npos) << info;
        const std::string text = PageText(file, page);
        EXPECT_TRUE(std::regex_search(text, std::regex("\\b" + std::to_string(page) + " ?/ ?6\\b"))) << text;
        // Pages 1-3 the mazes, 4-6 their solutions, four each, in the mazes' order.
        const bool solutions = page > 3;
        const auto labelled = Labelled(text, solutions ? "Solution" : "Maze");
        ASSERT_EQ(labelled.size(), 4u) << text;
        for (int k = 0; k < 4; ++k) {
            const int number = (solutions ? page - 4 : page - 1) * 4 + k + 1;
            EXPECT_EQ(labelled[k].first, number) << "page " << page;
            EXPECT_EQ(labelled[k].second, codes[number - 1]) << "page " << page;
        }
    }
}

TEST(Printing, ASolutionsFileHoldsTheSolutionsAndTheBookletOnlyTheMazes) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string mazes = Temp("own_mazes.pdf"), solutions = Temp("own_solutions.pdf");
    const Result r = Tool({"render", "--style", "hex", "--cells", "9", "6", "--count", "3", "--per-page", "2", "--page",
                          "a5", "--time", "300", "--lang", "en", "--solutions", solutions, "--out", mazes});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> codes = Codes(r.out);
    ASSERT_EQ(codes.size(), 3u);
    struct Document {
        const std::string& file;
        const char* word;
        const char* other;
    };
    for (const Document& d : {Document{mazes, "Maze", "Solution"}, Document{solutions, "Solution", "Maze"}}) {
        std::vector<std::pair<int, std::string>> labelled;
        for (int page = 1; page <= 2; ++page) {
            const std::string text = PageText(d.file, page);
            EXPECT_EQ(text.find(d.other), std::string::npos) << d.file << " page " << page << ":\n" << text;
            for (const auto& item : Labelled(text, d.word)) labelled.push_back(item);
        }
        ASSERT_EQ(labelled.size(), 3u) << d.file;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(labelled[k], std::make_pair(k + 1, codes[k])) << d.file;
    }
}

// The clock reads seconds since midnight: the maze after 23:59:59.5 is the one of 00:00:00.5.
// Each maze's time mixes the booklet's time with the maze's number: a booklet pinned near midnight
// still has its mazes, and shares none with the booklet pinned a second later.
TEST(Printing, ABookletAcrossMidnightGoesOnAfterMidnight) {
    const auto codes = [](const char* time, const char* count) {
        const Result r = Tool({"render", "--style", "square", "--cells", "8", "8", "--count", count, "--page", "a5",
                               "--time", time, "--solutions", "none", "--out", Temp("midnight.pdf")});
        EXPECT_EQ(r.status, 0) << r.err;
        return Codes(r.out);
    };
    const std::vector<std::string> late = codes("86399.5", "2"), early = codes("0.5", "1");
    ASSERT_EQ(late.size(), 2u);
    ASSERT_EQ(early.size(), 1u);
    EXPECT_NE(late[0], late[1]);
    EXPECT_NE(late[1], early[0]);
    EXPECT_NE(late[0], early[0]);
}

TEST(Printing, PrintedMazesAreNewOnEachRunUnlessTheTimeIsGiven) {
    const auto run = [](const std::string& file, std::vector<std::string> extra) {
        std::vector<std::string> args = {"render", "--style", "hex", "--cells", "9", "6", "--count", "2", "--page", "a5", "--out", file};
        args.insert(args.end(), extra.begin(), extra.end());
        const Result r = Tool(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Codes(r.out);
    };
    EXPECT_NE(run(Temp("new1.pdf"), {}), run(Temp("new2.pdf"), {}));
    EXPECT_EQ(run(Temp("pinned1.pdf"), {"--time", "3600"}), run(Temp("pinned2.pdf"), {"--time", "3600"}));
    EXPECT_EQ(Bytes(Temp("pinned1.pdf")), Bytes(Temp("pinned2.pdf")));
    // Without a page the default stays: the same maze and bytes on every run.
    const Result a = Tool({"render", "--style", "square", "--view", "plan", "--out", Temp("plain1.pdf")});
    const Result b = Tool({"render", "--style", "square", "--view", "plan", "--out", Temp("plain2.pdf")});
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out.find("seed \" 43200.52\"\n"), std::string::npos) << a.out;
    EXPECT_EQ(Bytes(Temp("plain1.pdf")), Bytes(Temp("plain2.pdf")));
}

TEST(Printing, PaperInAnyCaseTurnedToSuitTheMaze) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdfinfo (scripts/install-deps.sh --test)";
    struct Case {
        const char* page;
        const char* cellsX;
        const char* cellsY;
        const char* size;   // as pdfinfo names it
    };
    const Case cases[] = {
        {"A5", "20", "28", "420 x 595 pts (A5)"},      {"a3", "29", "20", "1191 x 842 pts (A3)"},
        {"Letter", "29", "20", "792 x 612 pts (letter)"}, {"LEGAL", "20", "28", "612 x 1008 pts"},
        {"a4", "20", "28", "595 x 842 pts (A4)"},      {"a4", "29", "20", "842 x 595 pts (A4)"},
    };
    for (const Case& c : cases) {
        const std::string file = Temp(std::string("paper_") + c.page + c.cellsX + ".pdf");
        const Result r = Tool({"render", "--style", "square", "--cells", c.cellsX, c.cellsY, "--page", c.page, "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(Shell("pdfinfo " + file).value_or("").find(c.size), std::string::npos) << c.page << " " << c.cellsX;
    }
    // An SVG with a page is the page: A4 is 210 x 297 mm.
    const std::string svg = Temp("page.svg");
    ASSERT_EQ(Tool({"render", "--style", "hex", "--cells", "21", "13", "--page", "a4", "--title", "Mazes", "--out", svg}).status, 0);
    std::smatch m;
    const std::string text = Bytes(svg);
    ASSERT_TRUE(std::regex_search(text, m, std::regex("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""))) << text.substr(0, 300);
    // The default honeycomb is wide: the page turned.
    EXPECT_NEAR(std::stod(m[1]), 297, 0.5);
    EXPECT_NEAR(std::stod(m[2]), 210, 0.5);
}

QImage Png(const std::string& file) { return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32); }

// Render to a PNG and read it back.
QImage Picture(std::vector<std::string> args, const std::string& name, std::string* report = nullptr) {
    const std::string file = Temp(name + ".png");
    args.insert(args.begin(), "render");
    args.insert(args.end(), {"--out", file});
    const Result r = Tool(args);
    EXPECT_EQ(r.status, 0) << r.err;
    if (report) *report = r.out;
    return Png(file);
}

std::set<QRgb> Colours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

// The run length most often met across rows among pixels `in` picks: a vertical line's width.
int CommonWidth(const QImage& image, const std::function<bool(int, int)>& in) {
    std::map<int, int> runs;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x <= image.width(); ++x) {
            if (x < image.width() && in(x, y)) {
                ++run;
            } else if (run > 0) {
                ++runs[run];
                run = 0;
            }
        }
    }
    return std::max_element(runs.begin(), runs.end(), [](auto a, auto b) { return a.second < b.second; })->first;
}

const std::vector<std::string> kTallMaze = {"--code", "S20x28-86272312-V", "--view", "plan"};

TEST(Printing, TheCorrectPathIsThinnerThanTheWallsAndMidGreyInPrint) {
    for (const char* size : {"300x400", "600x800", "1500x2000"}) {
        std::vector<std::string> args = kTallMaze;
        args.insert(args.end(), {"--size", size});
        const QImage plain = Picture(args, "ink_plain");
        args.push_back("--solution");
        const QImage path = Picture(args, "ink_path");
        const auto onPath = [&](int x, int y) { return path.pixel(x, y) != plain.pixel(x, y); };
        const auto onWall = [&](int x, int y) { return plain.pixel(x, y) == qRgb(0, 0, 0); };
        const int pathWidth = CommonWidth(path, onPath), wallWidth = CommonWidth(plain, onWall);
        EXPECT_LT(pathWidth, wallWidth) << size;
        EXPECT_GE(wallWidth, 2) << size;
        for (int y = 0; y < path.height(); ++y) {
            for (int x = 0; x < path.width(); ++x) {
                if (!onPath(x, y)) continue;
                // Printed in grey it stays apart from both the black walls and the white paper.
                EXPECT_GT(qGray(path.pixel(x, y)), 90) << size;
                EXPECT_LT(qGray(path.pixel(x, y)), 200) << size;
                y = path.height(), x = path.width();
            }
        }
    }
}

TEST(Printing, ThePlanDrawsTheWholeCorrectPathAtAnyClock) {
    for (const char* time : {"43200.52", "1234", "86399.5", "0"}) {
        std::string report;
        const std::vector<std::string> args = {"--style", "square", "--view", "plan", "--size", "500x640", "--time", time};
        const QImage plain = Picture(args, "whole_plain", &report);
        std::vector<std::string> withPath = args;
        withPath.push_back("--solution");
        const QImage path = Picture(withPath, "whole_path");
        const Result maze = Tool({"generate", "--code", Code(report)});
        const size_t at = maze.out.find("pathLength ");
        ASSERT_NE(at, std::string::npos) << maze.out;
        const int pathLength = std::stoi(maze.out.substr(at + 11));
        int cellsX = 0, cellsY = 0;
        std::sscanf(report.substr(report.find("cells ")).c_str(), "cells %d %d", &cellsX, &cellsY);
        // The walls' bounds give the cells; count those whose centre the path covers.
        int left = plain.width(), right = -1, top = plain.height(), bottom = -1;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixel(x, y) == qRgb(0, 0, 0)) left = std::min(left, x), right = std::max(right, x),
                                                        top = std::min(top, y), bottom = std::max(bottom, y);
        int covered = 0;
        for (int cy = 0; cy < cellsY; ++cy) {
            for (int cx = 0; cx < cellsX; ++cx) {
                const int x = left + (right - left) * (2 * cx + 1) / (2 * cellsX);
                const int y = top + (bottom - top) * (2 * cy + 1) / (2 * cellsY);
                bool near = false;   // a thin line may pass a pixel or two beside the centre
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) near |= path.pixel(x + dx, y + dy) != plain.pixel(x + dx, y + dy);
                covered += near;
            }
        }
        EXPECT_EQ(covered, pathLength) << "time " << time;
        // And out through both openings.
        bool above = false, below = false;
        for (int x = 0; x < path.width(); ++x) {
            for (int y = 0; y < path.height(); ++y) {
                if (path.pixel(x, y) == plain.pixel(x, y)) continue;
                above |= y < top;
                below |= y > bottom;
            }
        }
        EXPECT_TRUE(above && below) << "time " << time;
    }
}

TEST(Printing, BothOpeningsAreMarked) {
    for (const char* style : {"square", "hex"}) {
        const QImage plan = Picture({"--style", style, "--view", "plan", "--size", "400x500"}, "marks");
        int top = plan.height(), bottom = -1;
        for (int y = 0; y < plan.height(); ++y)
            for (int x = 0; x < plan.width(); ++x)
                if (plan.pixel(x, y) == qRgb(0, 0, 0)) top = std::min(top, y), bottom = std::max(bottom, y);
        int marksAbove = 0, marksBelow = 0;
        for (int y = 0; y < plan.height(); ++y) {
            for (int x = 0; x < plan.width(); ++x) {
                const bool ink = plan.pixel(x, y) != qRgb(255, 255, 255);
                marksAbove += ink && y < top;
                marksBelow += ink && y > bottom;
            }
        }
        EXPECT_GT(marksAbove, 4) << style;
        EXPECT_GT(marksBelow, 4) << style;
    }
}

TEST(Printing, AStepBackOnThePlanIsNotDrawnAsAStepForward) {
    // The maze's correct path begins right, down, right; back is left, up.
    std::vector<std::string> forward = kTallMaze, back = kTallMaze;
    forward.insert(forward.end(), {"--keys", "39,40,39"});
    back.insert(back.end(), {"--keys", "39,40,39,37,38"});
    const std::set<QRgb> ahead = Colours(Picture(forward, "trail_forward"));
    const std::set<QRgb> returned = Colours(Picture(back, "trail_back"));
    EXPECT_FALSE(std::includes(ahead.begin(), ahead.end(), returned.begin(), returned.end()))
        << "the steps back need a colour of their own";
}

TEST(Printing, AnSvgKeepsEveryColourOfThePicture) {
    const std::vector<std::vector<std::string>> cases = {
        {"--code", "S20x28-86272312-V", "--view", "plan", "--keys", "39,40,39,37", "--solution"},
        {"--style", "hex", "--view", "plan", "--keys", "34,34,40,33", "--solution"},
        {"--style", "square", "--keys", "40,39,40,38", "--solution"},
    };
    for (const auto& c : cases) {
        const std::set<QRgb> colours = Colours(Picture(c, "colours"));
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), c.begin(), c.end());
        args.insert(args.end(), {"--out", Temp("colours.svg")});
        ASSERT_EQ(Tool(args).status, 0);
        std::string svg = Bytes(Temp("colours.svg"));
        for (char& ch : svg) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        for (QRgb colour : colours) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%02x%02x%02x", qRed(colour), qGreen(colour), qBlue(colour));
            EXPECT_NE(svg.find(hex), std::string::npos) << c[1] << " lost " << hex;
        }
    }
}

TEST(Printing, CellsSizeTheMazeWhateverThePicture) {
    struct Case {
        std::vector<std::string> args;
        const char* cells;
    };
    const Case cases[] = {
        {{"--style", "square", "--cells", "7", "5", "--view", "plan"}, "cells 7 5\n"},
        {{"--style", "square", "--cells", "40", "30", "--view", "plan", "--size", "900x700"}, "cells 40 30\n"},
        {{"--style", "hex", "--cells", "13", "9", "--view", "plan", "--size", "600x500"}, "cells 13 9\n"},
        {{"--style", "hex", "--cells", "5", "3"}, "cells 5 3\n"},
        {{"--style", "square", "--cells", "30", "20", "--size", "800x600"}, "cells 30 20\n"},
    };
    for (const Case& c : cases) {
        std::string report;
        const QImage picture = Picture(c.args, "cells", &report);
        EXPECT_NE(report.find(c.cells), std::string::npos) << report;
        if (std::find(c.args.begin(), c.args.end(), "plan") != c.args.end()) {
            EXPECT_EQ(Pieces(picture, [](QRgb p) { return p == qRgb(0, 0, 0); }), 2) << c.cells;
        }
    }
}

TEST(Printing, ADocumentHoldsTheWholeMazeWhateverItsSize) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdftoppm (scripts/install-deps.sh --test)";
    const std::string file = Temp("whole.pdf");
    const Result r = Tool({"render", "--code", "S600x100-53993396-O", "--view", "plan", "--size", "400x298", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(Shell("pdftoppm -r 288 -png -singlefile " + file + " " + file + ".back").has_value());
    const QImage page = Png(file + ".back.png");
    int left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) left = std::min(left, x), right = std::max(right, x),
                                                top = std::min(top, y), bottom = std::max(bottom, y);
    // Six times as wide as deep, as its cells are: not a part of it cut to the picture.
    EXPECT_NEAR(double(right - left) / (bottom - top), 6.0, 0.3);
}

TEST(Printing, ACellSizeGivesCellsAtLeastThatWide) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdftoppm (scripts/install-deps.sh --test)";
    for (const char* millimetres : {"6", "12.5"}) {
        const std::string file = Temp("cell_size.pdf");
        const Result r = Tool({"render", "--style", "square", "--cell-size", millimetres, "--page", "a4", "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        int cellsX = 0, cellsY = 0;
        std::sscanf(r.out.substr(r.out.find("cells ")).c_str(), "cells %d %d", &cellsX, &cellsY);
        const QImage page = Rasterised(file, 0, 0);   // 72 dpi: one pixel a point
        int left = page.width(), right = -1;
        // The upper half: walls only, the code is under the maze.
        for (int y = 0; y < page.height() / 2; ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 60) left = std::min(left, x), right = std::max(right, x);
        EXPECT_GE((right - left) / double(cellsX), std::stod(millimetres) * 72 / 25.4 - 1) << millimetres;
        EXPECT_GT(cellsX, 3);
    }
}

// The text of a whole PDF, its lines joined with spaces (a title may be set on two).
std::string Joined(const std::string& pdf) {
    std::string text = Shell("pdftotext " + pdf + " -").value_or("");
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

TEST(Printing, ATitleIsSetWholeOrRefusedInOneLine) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string long79 = "A title of seventy-nine characters, long enough to need shrinking on an A4 page";
    ASSERT_EQ(long79.size(), 79u);
    std::string twoLines, tooLong(2000, 'x');
    for (int i = 0; i < 8; ++i) twoLines += "Maze" + std::to_string(i) + " for class ";
    struct Case {
        std::string title;
        int status;
        const char* message;   // a part of the refusal
    };
    const Case cases[] = {
        {long79, 0, ""},
        {twoLines, 0, ""},
        {"三年级二班 迷宫练习", 0, ""},
        {tooLong, 2, "does not fit"},
        {"bell\a", 2, "control character (U+0007)"},
        {"tab\there", 2, "control character (U+0009)"},
        {"zero\u200bwidth", 2, "control character (U+200B)"},
        {"fox \U0001F98A", 2, "(U+1F98A), which no font here can draw"},
    };
    for (const Case& c : cases) {
        const std::string file = Temp("title.pdf");
        std::filesystem::remove(file);
        const Result r = Tool({"render", "--style", "square", "--cells", "8", "8", "--page", "a4", "--lang", "en",
                               "--title", c.title, "--out", file});
        const std::string what = c.title.substr(0, 40);
        ASSERT_EQ(r.status, c.status) << what << ": " << r.err;
        if (c.status != 0) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_FALSE(std::filesystem::exists(file)) << what;
            continue;
        }
        // Whole on the page, and the document's title.
        std::string words;
        std::istringstream in(Joined(file));
        for (std::string word; in >> word;) words += word + " ";
        EXPECT_NE(words.find(c.title.substr(0, c.title.find_last_not_of(' ') + 1)), std::string::npos) << words;
        EXPECT_NE(Shell("pdfinfo " + file).value_or("").find("Title:           " + c.title.substr(0, 30)),
                  std::string::npos) << what;
    }
}

TEST(Printing, APageSpeaksTheLanguageAsked) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    struct Case {
        const char* lang;
        std::vector<std::string> mazePage, solutionPage;
    };
    const Case cases[] = {
        {"zh", {"迷宫 1", "迷宫 2", "姓名", "日期", "代码 S", "第 1 页，共 2 页"}, {"答案：Friday", "答案 1", "答案 2", "第 2 页，共 2 页"}},
        {"en", {"Maze 1", "Maze 2", "Name", "Date", "code S", "1 / 2"}, {"Solutions: Friday", "Solution 1", "Solution 2", "2 / 2"}},
    };
    for (const Case& c : cases) {
        const std::string file = Temp(std::string("lang_") + c.lang + ".pdf");
        const Result r = Tool({"render", "--style", "square", "--cells", "8", "8", "--count", "2", "--per-page", "2",
                               "--page", "a4", "--title", "Friday", "--name-line", "--lang", c.lang, "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        // pdftotext may drop or add blanks between the words.
        const auto solid = [](std::string text) {
            std::erase(text, ' ');
            return text;
        };
        for (int page : {1, 2}) {
            const std::string text = PageText(file, page);
            for (const std::string& word : page == 1 ? c.mazePage : c.solutionPage) {
                EXPECT_NE(solid(text).find(solid(word)), std::string::npos) << c.lang << " page " << page << ": " << word << "\n" << text;
            }
        }
    }
    EXPECT_EQ(Tool({"render", "--style", "square", "--page", "a4", "--lang", "fr", "--out", Temp("fr.pdf")}).status, 2);
}

// Without --lang, the page's words are in the language the game would speak to this session
// (ctest runs this with LANG and LANGUAGE set as a desktop sets them).
TEST(PageLanguage, FollowsThePlayersSession) {
    const char* expected = std::getenv("QUIVRA_EXPECT_LANGUAGE");
    if (expected == nullptr) GTEST_SKIP() << "run by ctest with a session's LANG and LANGUAGE";
    if (!HaveRasterisers()) GTEST_SKIP() << "needs poppler-utils (scripts/install-deps.sh --test)";
    const std::string file = Temp("session_" + std::to_string(getpid()) + ".pdf");   // ctest runs several at once
    const Result r = Tool({"render", "--style", "square", "--cells", "8", "8", "--count", "1", "--page", "a5", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = PageText(file, 1);
    EXPECT_NE(text.find(std::string(expected) == "en" ? "Maze 1" : "迷宫 1"), std::string::npos) << text;
}

// cells X Y of a report.
std::pair<int, int> CellsOf(const std::string& report) {
    int x = 0, y = 0;
    std::sscanf(report.substr(report.find("cells ")).c_str(), "cells %d %d", &x, &y);
    return {x, y};
}

TEST(Printing, LevelsGoFromAFewLargeCellsToManySmallOnesOnAnyLayout) {
    for (const char* style : {"square", "hex"}) {
        for (const char* perPage : {"1", "6"}) {
            std::vector<int> cells;
            for (const char* level : {"1", "2", "3", "4", "5"}) {
                const Result r = Tool({"render", "--style", style, "--count", perPage, "--per-page", perPage, "--page",
                                       "a4", "--time", "5", "--level", level, "--solutions", "none", "--out", Temp("level.pdf")});
                ASSERT_EQ(r.status, 0) << style << " level " << level << ": " << r.err;
                const auto [x, y] = CellsOf(r.out);
                cells.push_back(x * y);
            }
            const std::string what = std::string(style) + ", " + perPage + " a page";
            EXPECT_TRUE(std::is_sorted(cells.begin(), cells.end())) << what;
            EXPECT_LE(cells.front(), 40) << what;    // a few for small children
            // Many for the best: on a sixth of A4, as many as cells of 3 mm allow.
            EXPECT_GE(cells.back(), std::string(perPage) == "1" ? 600 : 500) << what;
            // Without a size, level 3.
            const Result plain = Tool({"render", "--style", style, "--count", perPage, "--per-page", perPage, "--page",
                                       "a4", "--time", "5", "--solutions", "none", "--out", Temp("level.pdf")});
            ASSERT_EQ(plain.status, 0) << plain.err;
            EXPECT_EQ(CellsOf(plain.out).first * CellsOf(plain.out).second, cells[2]) << what;
        }
    }
    // --cells wins.
    const Result r = Tool({"render", "--style", "square", "--cells", "7", "9", "--level", "5", "--page", "a4", "--out",
                           Temp("level.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(CellsOf(r.out), std::make_pair(7, 9));
}

TEST(Printing, ABookletOfListedCodesHasThoseMazesInOrder) {
    const std::string list = Temp("codes.txt");
    std::ofstream(list) << "# class 3B\n\nS8x8-63152335-W\n  H9x6-36925723-9  \n# the hard one\nS20x28-86272312-V\n";
    const std::string file = Temp("codes.pdf");
    const Result r = Tool({"render", "--codes", list, "--page", "a4", "--lang", "en", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> expected = {"S8x8-63152335-W", "H9x6-36925723-9", "S20x28-86272312-V"};
    EXPECT_EQ(Codes(r.out), expected);
    if (HaveRasterisers()) {
        const std::string text = Joined(file);
        size_t at = 0;
        for (const std::string& code : expected) {
            at = text.find(code, at);
            EXPECT_NE(at, std::string::npos) << code;
        }
    }
    // A bad line is refused with its number, before any file is made.
    std::ofstream(list) << "S8x8-63152335-W\n# fine\n\nS8x8-63152335-X\n";
    std::filesystem::remove(file);
    const Result bad = Tool({"render", "--codes", list, "--page", "a4", "--out", file});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--codes line 4: "), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    // Quiet: the file and nothing printed.
    const Result quiet = Tool({"render", "--codes", Temp("codes.txt"), "--page", "a4", "--quiet", "--out", file});
    EXPECT_EQ(quiet.status, 2);
    std::ofstream(list) << "S8x8-63152335-W\n";
    const Result q = Tool({"render", "--codes", list, "--page", "a4", "--quiet", "--out", file});
    EXPECT_EQ(q.status, 0) << q.err;
    EXPECT_EQ(q.out, "");
    EXPECT_TRUE(std::filesystem::exists(file));
}

// A refusal names the largest size that fits: that size prints, a little more is refused again.
TEST(Printing, ARefusedSizeNamesTheLargestThatPrints) {
    const auto run = [](std::vector<std::string> size) {
        std::vector<std::string> args = {"render", "--page", "a4", "--trials", "1", "--out", Temp("largest.pdf")};
        args.insert(args.end(), size.begin(), size.end());
        return Tool(args);
    };
    std::smatch m;
    const Result tooLarge = run({"--style", "square", "--cell-size", "60"});
    ASSERT_EQ(tooLarge.status, 2);
    ASSERT_TRUE(std::regex_search(tooLarge.err, m, std::regex("--cell-size ([0-9.]+) at most"))) << tooLarge.err;
    const double largest = std::stod(m[1]);
    EXPECT_EQ(run({"--style", "square", "--cell-size", m[1]}).status, 0);
    EXPECT_EQ(run({"--style", "square", "--cell-size", std::to_string(largest + 0.2)}).status, 2);
    for (const char* style : {"square", "hex"}) {
        const Result thin = run({"--style", style, "--cells", "201", "301"});
        ASSERT_EQ(thin.status, 2) << style;
        ASSERT_TRUE(std::regex_search(thin.err, m, std::regex("walls of 0\\.[0-9]+ mm, thinner than 0\\.15 mm: ([0-9]+) x ([0-9]+) cells")))
            << thin.err;
        const int x = std::stoi(m[1]), y = std::stoi(m[2]);
        EXPECT_EQ(run({"--style", style, "--cells", std::to_string(x), std::to_string(y)}).status, 0) << style << " " << x;
        EXPECT_EQ(run({"--style", style, "--cells", std::to_string(x + 4), std::to_string(y + 6)}).status, 2) << style;
    }
}

// The thinnest walls that print, measured on the page at 1200 dots an inch: 0.15 mm is 7 dots.
TEST(Printing, WallsOnPaperAreAtLeastASixthOfAMillimetre) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdftoppm (scripts/install-deps.sh --test)";
    const std::string file = Temp("thin.pdf");
    const Result thin = Tool({"render", "--style", "square", "--cells", "201", "301", "--page", "a4", "--trials", "1",
                              "--out", file});
    std::smatch m;
    ASSERT_TRUE(std::regex_search(thin.err, m, std::regex("([0-9]+) x ([0-9]+) cells at most"))) << thin.err;
    ASSERT_EQ(Tool({"render", "--style", "square", "--cells", m[1], m[2], "--page", "a4", "--trials", "1", "--out", file})
                  .status, 0);
    ASSERT_TRUE(Shell("pdftoppm -r 1200 -png -singlefile -x 2000 -y 2000 -W 1200 -H 1200 " + file + " " + file + ".crop"));
    const QImage crop = Png(file + ".crop.png");
    ASSERT_FALSE(crop.isNull());
    EXPECT_GE(CommonWidth(crop, [&](int x, int y) { return qGray(crop.pixel(x, y)) < 128; }), 7);
}

}  // namespace
}  // namespace quivra::tool
