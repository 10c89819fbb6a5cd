// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to quivra-tool: one game played the way the window plays it, without a window. The
// game model makes the maze and walks, the scene builders draw it stage by stage onto a picture of
// the window's drawing area, and what a window would show (the status line, beeps) is kept here.
#include <QImage>

#include <optional>
#include <string>

#include "game/game.h"
#include "game/scripted_clock.h"
#include "game/window_design.h"
#include "render/scene_state.h"
#include "tools/progress.h"
#include "tools/render_game.h"
#include "tools/vector_output.h"

namespace quivra::tool {

class ToolGame {
public:
    // Builds the setup's maze in a window of its size, then presses its keys and Clear.
    // record: keep what is drawn for a vector document.
    ToolGame(const RenderSetup& setup, bool record, int progressFd);
    ToolGame(const ToolGame&) = delete;
    ToolGame& operator=(const ToolGame&) = delete;

    // The correct path, as the menu shows it (only over a finished scene).
    void ShowSolution();
    // What the tool prints about the game.
    std::string Report(const RenderSetup& setup) const;

    const QImage& Image() const { return image_; }
    std::vector<QPicture> TakeDrawing() { return recorder_->Take(); }

    Game game;

private:
    // The build run from stage 0 to the finish, one timer step at a time; returns the steps.
    int Build();
    void Clear();
    Canvas MakeWindowCanvas();
    double ReadClock();

    QImage image_;
    DeviceContext dc_;
    SceneState scene_;
    ScriptedClock clock_;
    std::optional<Progress> progress_;
    std::optional<DrawingRecorder> recorder_;
    WindowLayout layout_;
    bool finished_ = false;   // a finished scene: the menus for the correct path and Clear work
    std::string seed_, status_;
    int stages_ = 0, beeps_ = 0;
};

}  // namespace quivra::tool
