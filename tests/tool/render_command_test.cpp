// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render: the report, the picture, and its argument errors.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/picture_file.h"
#include "tests/tool/run_tool.h"
#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

using Result = test::ToolRun;

Result RunCommand(const std::vector<std::string>& args) { return test::RunToolCommand(args); }

// Every test writes into a folder of its own, removed afterwards.
class RenderCommand : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "quivra_render_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern + "/";
    }
    void TearDown() override {
        for (const std::string& mount : mounts_) umount(mount.c_str());
        std::error_code ignored;
        std::filesystem::permissions(folder_ + "read_only", std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder_);
    }
    std::string TempPng(const std::string& name) const { return folder_ + name + ".png"; }
    std::string TempDir() const { return folder_; }
    // A folder that cannot take a new file: a read-only mount where allowed, else no write permission.
    std::string ReadOnlyFolder() {
        const std::string folder = folder_ + "read_only";
        std::filesystem::create_directory(folder);
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=16k") == 0) {
            mounts_.push_back(folder);
            std::ofstream(folder + "/x.png") << "writable";
            mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        } else {
            std::ofstream(folder + "/x.png") << "writable";
            std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        }
        return folder;
    }

    std::string folder_;
    std::vector<std::string> mounts_;
};

// What reaches the process's real standard error meanwhile (Qt and libpng write there themselves).
class StderrCapture {
public:
    StderrCapture() : file_(std::tmpfile()), saved_(dup(2)) {
        std::fflush(stderr);
        dup2(fileno(file_), 2);
    }
    ~StderrCapture() {
        Text();
        std::fclose(file_);
    }
    std::string Text() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, 2);
            close(saved_);
            saved_ = -1;
        }
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    FILE* file_;
    int saved_;
};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(RenderCommand, ReportsTheBuildAndWritesThePicture) {
    // Through a symbolic link: the file it names gets the picture.
    const std::string file = TempPng("small"), link = TempPng("link");
    std::ofstream(file) << "old picture";
    std::filesystem::create_symlink(file, link);
    const Result r = RunCommand({"render", "--style", "square", "--size", "77x80", "--trials", "3", "--keys", "38,36,90",
                          "--dump", "--out", link});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("seed \" 43200.52\"\ncells 2 2\nstages 6\nplayer 1 1\nexitReached 0\nbeeps 2\n"
                          "status 请使用方向键来行走\nmazeGrid\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\nwalkGrid\n"), std::string::npos);
    QImage image(QString::fromStdString(file));
    EXPECT_EQ(image.size(), QSize(77, 80));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST_F(RenderCommand, AWindowTooSmallForAMazeReportsNoCode) {
    for (const char* style : {"square", "hex"}) {
        const Result r = RunCommand({"render", "--style", style, "--size", "20x20", "--out", TempPng(style)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\ncells 0 0\n"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("code "), std::string::npos) << "no maze, no code: " << r.out;
    }
}

TEST_F(RenderCommand, PaletteDisplayGivesTheSamePicture) {
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

TEST_F(RenderCommand, BadArgumentsExitWithStatusTwo) {
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
        {"render", "--style", "square", "--size", "60x60", "--out", ""},
        {"render", "--style", "square", "--size", "60x60", "--out", TempPng("notes") + ".txt"},
        {"render", "--style", "square", "--size", "60x60", "--out", TempDir() + "no_extension"},
        {"render", "--style", "square", "--size", "60x60", "--out", TempDir()},
        {"render", "--style", "square", "--size", "60x60", "--out", ReadOnlyFolder() + "/x.png"},
        {"render", "--style", "square", "--size", "60x60", "--out", TempDir() + "not_utf8_\xff.png"},
    };
    for (const auto& args : bad) {
        StderrCapture stray;
        const Result r = RunCommand(args);
        EXPECT_EQ(r.status, 2) << args[2] << " " << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(stray.Text(), "") << "only the tool's own line";
    }
    EXPECT_FALSE(std::filesystem::exists(TempPng("notes") + ".txt"));
}

TEST_F(RenderCommand, TheExtensionPicksTheFormat) {
    const std::string png = TempPng("format");
    ASSERT_EQ(RunCommand({"render", "--style", "hex", "--size", "90x70", "--out", png}).status, 0);
    const QImage picture(QString::fromStdString(png));
    const std::pair<std::string, QByteArray> formats[] = {
        {".jpg", "jpeg"}, {".JPEG", "jpeg"}, {".bmp", "bmp"}, {".ppm", "ppm"}, {".Png", "png"}};
    const mode_t savedMask = umask(027);
    for (const auto& [extension, format] : formats) {
        const std::string file = TempDir() + "format" + extension;
        const Result r = RunCommand({"render", "--style", "hex", "--size", "90x70", "--out", file});
        ASSERT_EQ(r.status, 0) << r.err;
        // A new picture's mode follows the umask, as any new file's does.
        EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640)) << extension;
        QImageReader reader(QString::fromStdString(file));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), format) << extension;
        if (format != "jpeg") {
            EXPECT_EQ(reader.read().convertToFormat(picture.format()), picture) << extension;
        }
    }
    umask(savedMask);
}

// Writes that fail at once (/dev/full) or part-way (a 16 KiB file system, or where mounting one is not
// allowed a 16 KiB file size limit): one line, status 1, the old picture untouched, nothing left behind.
TEST_F(RenderCommand, AFailedWriteIsAnErrorAndLeavesNoPartialPicture) {
    const std::vector<std::string> scene = {"render", "--style", "hex", "--size", "800x600", "--trials", "2"};
    {
        StderrCapture stray;
        std::vector<std::string> args = scene;
        args.insert(args.end(), {"--out", "/dev/full"});
        const Result r = RunCommand(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(stray.Text(), "");
    }
    // The rename over the target is checked too (here it fails on a folder).
    std::filesystem::create_directories(TempDir() + "taken/inside");
    EXPECT_THROW(WriteOutputBytes("picture", PictureTarget{"taken", TempDir() + "taken", "png", true}), WriteError);

    const std::string folder = TempDir() + "small_disk";
    std::filesystem::create_directory(folder);
    const bool mounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=16k") == 0;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    if (!mounted) {
        rlimit small = saved;
        small.rlim_cur = 16 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    const std::string target = folder + "/maze.png";
    std::ofstream(target) << "old picture";
    StderrCapture stray;
    std::vector<std::string> args = scene;
    args.insert(args.end(), {"--out", target});
    const Result r = RunCommand(args);
    const std::string strayText = stray.Text();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.status, 1) << (mounted ? "tmpfs" : "file size limit");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(strayText, "") << "no libpng or Qt lines";
    EXPECT_EQ(FileText(target), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary file left";
    if (mounted) umount(folder.c_str());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quivra::tool
