// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build run of a game's scene, written once for whatever drives it: the window's one-shot
// timer calls Step once a tick, the tool runs every step at once. Stage 0 makes the maze when the
// game needs one and sets the view up, the style's drawing stages follow one a step, and the
// finished scene gets the trail, the correct path and the status line. Between steps the host lets
// events run, and those may restart, stop or close the run through its verbs.
#include <string>
#include <vector>

#include "game/game.h"
#include "game/held_input.h"
#include "render/scene_common.h"
#include "render/scene_state.h"

namespace quivra {

// What the run needs of the surface it draws on, at the points of the run it names.
class RunHost {
public:
    virtual ~RunHost() = default;
    // Stage 0 begins (the window empties its status line and measures in twips).
    virtual void StartingRun() {}
    // A new maze is about to be made: the drawing area it is sized for, in twips.
    struct Area {
        double widthTwips = 0;
        double heightTwips = 0;
    };
    virtual Area NewMazeArea() = 0;
    // The host's game makes its new maze for that area (the run only draws the game).
    virtual void MakeNewMaze(const Area& area) = 0;
    // The clock the maze search reads.
    virtual double Clock() = 0;
    // A new view is about to be set up: the area is cleared; its size in pixels.
    struct Pixels {
        int width = 0;
        int height = 0;
    };
    virtual Pixels NewView() = 0;
    // Where a stage draws, as it is now.
    virtual Canvas DrawingCanvas() = 0;
    // After each step: pending events run (and may change the run).
    virtual void DoEvents() {}
    // The run goes on: the next step is due.
    virtual void ArmTimer() = 0;
    // The maze is built and, for a scene, drawn to its trail: the view is ready for a walk waiting to
    // be taken again, which the host's game takes; the steps taken, for the scene to draw.
    virtual std::vector<StepResult> ViewReady() { return {}; }
    // The scene is finished: what the status line shows now.
    virtual void Finished(const std::string& status) = 0;
};

// A maze that is not the window's own (a chosen size, a code, a resumed game) may be hundreds of
// stages: a tick draws stages until this much of the run's clock is spent, so it reaches the
// screen in about a second, still growing a band of rows at a time.
constexpr double kStageTickBudget = 0.05;   // seconds

class SceneRun : public SceneState {
public:
    // A paint: the chain starts unless it runs already; true when the host must arm its timer.
    bool Begin();
    // Start again at stage 0 with the view set up anew (a repaint, a tilt, Clear).
    void Redraw();
    // No run, or the run ends where it is: stage 5 (minimised, too small).
    void Stop();
    // The window minimised (its restore keeps the game), or shown at a size again.
    void SetMinimized(bool minimized) { build.wasMinimized = minimized; }
    bool WasMinimized() const { return build.wasMinimized; }
    // Ends the run for good: closing.
    void CloseRun() { build.buildStage = kStageClosing; }
    bool Running() const { return build.drawInProgress; }
    // The scene is drawn to the end (or no run is under way): the window takes walking keys.
    bool SceneFinished() const { return build.buildStage == kStageFinished; }

    // One step of the run: stage 0, or one drawing stage (as many as the tick budget allows, see
    // TickBudget); then events, and the timer again or the finished scene.
    void RunStep(const Game& g, RunHost& host);
    // One step of a run for a view other than the scene: stage 0 as ever (the maze, the view set
    // up), then no drawing stages: the host draws the whole view when the run finishes.
    void RunViewStep(const Game& g, RunHost& host);
    // A whole run at once, for a host whose timer is the loop itself; the steps it took (one
    // stage each, whatever the maze).
    int RunToEnd(const Game& g, RunHost& host);
    // How much of the clock one step may spend drawing stages for this game: none (one stage a
    // tick, the written pace) for the window-sized game, kStageTickBudget for any other maze.
    static double TickBudget(const Game& g);

    // Input while the scene is not finished. A redraw of the game the player is in (a resize of
    // a kept maze, a view switch, the correct path hidden, a resumed walk) holds keys and clicks
    // until it is finished; while a new game is built, or once the queue is full, they are dropped.
    bool HoldsInput(const Game& g) const;
    // True when the event was held.
    bool Hold(const Game& g, const HeldEvent& event);
    // What was held, oldest first, for the host to take now that the scene is finished.
    std::vector<HeldEvent> TakeHeld() { return held_.Take(); }

private:
    // One step drawing stages until `budget` seconds of the host's clock are spent (0: one stage).
    void Step(const Game& g, RunHost& host, double budget);
    void Start(const Game& g, RunHost& host);
    void Finish(const Game& g, RunHost& host);

    HeldInput held_;
};

}  // namespace quivra
