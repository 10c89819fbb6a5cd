// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool render --zoom: the picture the window shows after that many presses of Ctrl+=,
// centred on the player; a zoomed picture needs only its zoomed cells to be legible.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/window_design.h"
#include "tests/tool/run_tool.h"

namespace quivra {
namespace {

std::string Out(const char* ext) { return testing::TempDir() + "quivra_zoom_" + std::to_string(::getpid()) + ext; }

TEST(ZoomOption, WhatItTakesAndRefuses) {
    const std::string png = Out(".png"), svg = Out(".svg");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* error;   // a part of the message
    } const cases[] = {
        // 300 x 300 cells in 783 x 561 pixels are under 2 pixels each: eight times that reads.
        {{"--code", "S300x300-33782719-9", "--view", "plan", "--size", "783x561"}, 2, "needs 6 pixels a cell"},
        {{"--code", "S300x300-33782719-9", "--view", "plan", "--size", "783x561", "--zoom", "3"}, 0, ""},
        {{"--code", "S300x300-33782719-9", "--view", "plan", "--size", "783x561", "--zoom", "1"}, 2, "needs 6 pixels"},
        {{"--code", "S15x10-11882719-Y", "--zoom", "7"}, 2, "zoom"},
        {{"--code", "S15x10-11882719-Y", "--zoom", "-1"}, 2, "zoom"},
        {{"--code", "S15x10-11882719-Y", "--zoom", "1", "--view", "first-person"}, 2, "--zoom"},
        {{"--code", "S15x10-11882719-Y", "--zoom", "1", "--out", svg}, 2, "--zoom"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (std::find(args.begin(), args.end(), "--out") == args.end()) args.insert(args.end(), {"--out", png});
        const test::ToolRun run = test::RunToolCommand(args);
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(run.status, c.status) << line << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << line << run.err;
    }
    std::remove(png.c_str());
    std::remove(svg.c_str());
}

TEST(ZoomOption, AZoomedSceneIsCentredOnThePlayer) {
    // One step down: the trail's green line ends where the player stands, in the middle of the
    // drawing area (the window's, less the scroll bar and the status line).
    const std::string png = Out(".png");
    ASSERT_EQ(test::RunToolCommand({"render", "--code", "S15x10-11882719-Y", "--size", "640x480", "--keys", "40", "--zoom",
                                    "2", "--out", png}).status, 0);
    const QImage zoomed = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    std::remove(png.c_str());
    const WindowLayout layout = WindowLayout::Of(640, 480);
    int green = 0;
    for (int y = layout.drawHeight / 2 - 3; y <= layout.drawHeight / 2 + 3; ++y)
        for (int x = layout.drawWidth / 2 - 3; x <= layout.drawWidth / 2 + 3; ++x) green += zoomed.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(green, 4);
    // And nothing drawn where the scroll bar and the status line stand.
    for (int y = 0; y < 480; y += 7) EXPECT_EQ(zoomed.pixel(639, y), qRgb(255, 255, 255));
    for (int x = 0; x < 640; x += 7) EXPECT_EQ(zoomed.pixel(x, 479), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace quivra
