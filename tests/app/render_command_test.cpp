// quivra-tool render: the report, the picture, and its argument errors.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <sstream>

#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result RunCommand(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::string TempPng(const std::string& name) { return testing::TempDir() + "quivra_" + name + ".png"; }

TEST(RenderCommand, ReportsTheBuildAndWritesThePicture) {
    const std::string file = TempPng("small");
    const Result r = RunCommand({"render", "--style", "square", "--size", "77x80", "--trials", "3", "--keys", "38,36,90",
                          "--dump", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("seed \" 43200.52\"\ncells 2 2\nstages 6\nplayer 1 1\nexitReached 0\nbeeps 2\n"
                          "status 请使用方向键来行走\nmazeGrid\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\nwalkGrid\n"), std::string::npos);
    QImage image(QString::fromStdString(file));
    EXPECT_EQ(image.size(), QSize(77, 80));
}

TEST(RenderCommand, PaletteDisplayGivesTheSamePicture) {
    for (const char* style : {"square", "hex"}) {
        const std::string a = TempPng(std::string(style) + "_rgb"), b = TempPng(std::string(style) + "_pal");
        const std::vector<std::string> common = {"render", "--style", style, "--size", "320x240", "--trials", "2",
                                                 "--keys", "40,39,34,35", "--solution"};
        std::vector<std::string> args = common;
        args.insert(args.end(), {"--out", a});
        const Result plain = RunCommand(args);
        args = common;
        args.insert(args.end(), {"--palette", "--out", b});
        const Result palette = RunCommand(args);
        ASSERT_EQ(plain.status, 0) << plain.err;
        ASSERT_EQ(palette.status, 0) << palette.err;
        EXPECT_EQ(plain.out, palette.out);
        EXPECT_EQ(QImage(QString::fromStdString(a)), QImage(QString::fromStdString(b))) << style;
    }
}

TEST(RenderCommand, BadArgumentsExitWithStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"render", "--out", "x.png"},
        {"render", "--style", "round", "--out", "x.png"},
        {"render", "--style", "hex", "--size", "400by300", "--out", "x.png"},
        {"render", "--style", "hex", "--size", "0x300", "--out", "x.png"},
        {"render", "--style", "hex", "--size", "16384x16384", "--out", "x.png"},
        {"render", "--style", "hex", "--tilt", "61", "--out", "x.png"},
        {"render", "--style", "hex", "--time", "90000", "--out", "x.png"},
        {"render", "--style", "hex", "--keys", "40,,39", "--out", "x.png"},
        {"render", "--style", "hex", "--solution", "yes", "--out", "x.png"},
        {"render", "--style", "square", "--size", "60x60", "--out", "/nonexistent/dir/x.png"},
    };
    for (const auto& args : bad) {
        const Result r = RunCommand(args);
        EXPECT_EQ(r.status, 2) << args[2];
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace quivra::tool
