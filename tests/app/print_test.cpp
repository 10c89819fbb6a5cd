// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool's printing: the scene and the plan as PNG, SVG and PDF, drawn by one path; the plan's
// structure; maze codes; booklets. The vector files are turned back into pictures by rsvg-convert
// and pdftoppm (librsvg2-bin, poppler-utils), as a viewer would.
#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <queue>
#include <set>
#include <sstream>
#include <thread>

#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result Tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Temp(const std::string& name) { return testing::TempDir() + "quivra_print_" + name; }

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Output of a shell command, or nullopt when it fails (a tool that is not installed).
std::optional<std::string> Shell(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    return text;
}

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
int Pieces(const QImage& image, const std::function<bool(QRgb)>& in, std::vector<int>* label = nullptr) {
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
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& [nx, ny] : next) {
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
    const auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
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
            EXPECT_EQ(Pieces(plan[1], red, &label), 1) << what;
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
            std::vector<std::string> args = {"render", "--style", "hex", "--size", "200x150", "--trials", "3"};
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
    const std::string ok = "S3x2-33913796-X";
    const std::vector<std::vector<std::string>> bad = {
        {"render", "--code", "S3x2-33913796-Y", "--out", Temp("x.png")},
        {"render", "--code", "S3x2-33913769-X", "--out", Temp("x.png")},
        {"render", "--code", ok, "--style", "hex", "--out", Temp("x.png")},
        {"render", "--code", ok, "--trials", "5", "--out", Temp("x.png")},
        {"render", "--code", ok, "--count", "2", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--view", "top", "--out", Temp("x.png")},
        {"render", "--style", "hex", "--page", "a3", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--page", "a4", "--out", Temp("x.svg")},
        {"render", "--style", "hex", "--count", "2", "--out", Temp("x.png")},
        {"render", "--style", "hex", "--count", "101", "--out", Temp("x.pdf")},
        {"render", "--style", "hex", "--count", "2", "--solution", "--out", Temp("x.pdf")},
        {"generate", "--code", "S3x2-33913796-x1"},
        {"generate", "--code", ok, "--cells", "3", "2"},
    };
    for (const auto& args : bad) {
        const Result r = Tool(args);
        EXPECT_EQ(r.status, 2) << args[2] << " " << args[3];
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(Printing, ABookletHasEachMazeThenEachSolutionOnPagesOfItsSize) {
    if (!HaveRasterisers()) GTEST_SKIP() << "needs pdfinfo (scripts/install-deps.sh --test)";
    for (const auto& [page, size] : {std::pair{"a4", "595 x 842 pts (A4)"}, std::pair{"letter", "612 x 792 pts (letter)"}}) {
        const std::string file = Temp(std::string("booklet_") + page + ".pdf");
        // A tall plan stands upright on the page.
        const Result r = Tool({"render", "--style", "hex", "--view", "plan", "--size", "300x400", "--count", "3",
                              "--page", page, "--out", file});
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
    // A wide scene turns the page.
    const std::string wide = Temp("booklet_wide.pdf");
    ASSERT_EQ(Tool({"render", "--style", "square", "--count", "1", "--page", "a4", "--out", wide}).status, 0);
    EXPECT_NE(Shell("pdfinfo " + wide).value_or("").find("842 x 595 pts (A4)"), std::string::npos);
}

}  // namespace
}  // namespace quivra::tool
