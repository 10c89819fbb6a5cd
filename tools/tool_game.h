// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to quivra-tool: one game played the way the window plays it, without a window. The
// game model makes the maze and walks; for a scene the scene run draws it stage by stage onto a
// picture of the window's drawing area, while a plan needs no scene at all; what a window would
// show (the status line, beeps) is kept here.
#include <QImage>

#include <optional>
#include <string>

#include "game/game.h"
#include "game/game_life.h"
#include "game/scripted_clock.h"
#include "game/window_design.h"
#include "render/scene_run.h"
#include "tools/progress.h"
#include "tools/render_game.h"
#include "tools/vector_output.h"

namespace quivra::tool {

class ToolGame final : private RunHost {
public:
    // Makes the setup's maze for a window of its size (and builds its scene, unless the setup asks
    // for a plan), then presses its keys and Clear. record: keep what is drawn for a vector document.
    ToolGame(const RenderSetup& setup, bool record, int progressFd);
    ToolGame(const ToolGame&) = delete;
    ToolGame& operator=(const ToolGame&) = delete;

    // The correct path, as the menu shows it (only over a finished scene, or a plan's maze).
    void ShowSolution();
    // What the tool prints about the game.
    std::string Report(const RenderSetup& setup) const;

    const QImage& Image() const { return image_; }
    const SceneRun& Run() const { return run_; }
    std::vector<QPicture> TakeDrawing() { return recorder_->Take(); }

    Game game;

private:
    // The tool plays no time: its walks are scripted.
    GameLife life_{game, [] { return 0.0; }};
    // The maze, and its scene built by the run from stage 0 to the finish; the steps it took.
    int Build();
    void Clear();
    Canvas MakeWindowCanvas();
    double ReadClock();
    // What the run asks of the tool: the window's drawing area, the scripted clock, the picture.
    Area NewMazeArea() override { return {layout_.areaWidthTwips, layout_.areaHeightTwips}; }
    void MakeNewMaze(const Area& area) override;
    double Clock() override { return ReadClock(); }
    Pixels NewView() override;
    Canvas DrawingCanvas() override { return MakeWindowCanvas(); }
    void ArmTimer() override {}
    std::vector<StepResult> ViewReady() override { return life_.ViewReady(); }
    void Finished(const std::string& status) override { status_ = status; }

    // The first-person view of the game as it stands, over the drawing area.
    void DrawFirstPersonView();

    bool scene_;              // a scene is built and drawn; a plan is drawn by its caller
    bool firstPerson_;        // drawn here once the keys are pressed, and again for the correct path
    QImage image_;
    DeviceContext dc_;
    SceneRun run_;
    ScriptedClock clock_;
    std::optional<Progress> progress_;
    std::optional<DrawingRecorder> recorder_;
    WindowLayout layout_;
    bool finished_ = false;   // a finished scene: the menus for the correct path and Clear work
    std::string seed_, status_;
    int stages_ = 0, beeps_ = 0;
};

}  // namespace quivra::tool
