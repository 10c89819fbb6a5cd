// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's logic: every event handler and menu command of the game. The handlers call
// the game's verbs and drive its scene run, one step a timer tick; the menu ticks and the scroll
// bar show the game's style and tilt. It reaches the window only through FormHost, so it runs
// headless as well.
#include <functional>
#include <optional>
#include <string>

#include "app/form_design.h"
#include "app/form_host.h"
#include "app/game_state.h"
#include "game/game_life.h"
#include "game/lasting.h"
#include "maze/maze_shape.h"

#include "render/first_person.h"
#include "render/projection.h"
#include "render/zoom.h"

namespace quivra {

class FrmMain : private RunHost {
public:
    explicit FrmMain(FormHost& host);

    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload(int& cancel);
    void VScroll1_Change();
    void VScroll1_Scroll();
    void Timer1_Timer();
    void Form_KeyDown(int& keyCode, int shift);
    void mnuActionItem_Click(int index);
    void mnuStyleItem_Click(int index);
    void mnuHelpItem_Click(int index);
    // Beyond the written menus: the code of the maze on screen (empty without one), and a maze
    // played from its code: its style ticked, built to fit the window.
    std::string MazeCodeText() const { return state_.Code(); }
    void PlayMazeCode(const NamedMaze& maze);
    // Before the first showing: that maze is the first one built.
    void StartWithCode(const NamedMaze& maze);
    // New mazes at this size, starting with a new game now (before the first showing: the first).
    void ChooseSize(const SizeChoice& choice);
    void StartWithSize(const SizeChoice& choice) { state_.ChooseSize(choice); }
    // A click or tap at a point of the drawing area, in logical pixels: the cell under it walked
    // to, as the game's rules for pointing say.
    void Form_PointerDown(double x, double y);

    // The view menu: the scene, the view from inside or the plan of the same game, and the corner
    // map of the view from inside. Switching keeps the game.
    void mnuViewItem_Click(int index);
    enum class View { Overview, FirstPerson, Plan };
    // Before the first showing, or at any time: the view the game is drawn in.
    void ShowIn(View view);
    View CurrentView() const { return view_; }
    // A tick of a move drawn in motion.
    void Frame_Timer();
    bool Moving() const { return motion_.has_value(); }

    // ---- a game that lasts ----
    // Run before the window closes or Exit ends the program: the game can still be kept then.
    std::function<void()> beforeClosing;
    // Run once a game resumed from its file stands (its maze built, its walk taken): the file can go.
    std::function<void()> resumedGameStands;
    // Where wins are recorded (none: not recorded).
    void UseRecords(RecordsStore* records) { life_.UseRecords(records); }
    // The game on screen as it would be kept (a walk begun and not finished), or nothing.
    std::optional<KeptGame> GameToKeep() { return life_.ToKeep(); }
    // The kept game played again: its maze, its tilt and its walk, taken again once drawn.
    void ResumeGame(const KeptGame& kept);
    void StartWithKeptGame(const KeptGame& kept);
    // The correct path taken away, the trail drawn again; walking goes on.
    void HideCorrectPath();
    bool CanHideCorrectPath() const { return state_.walk().showingSolution && state_.SceneFinished(); }
    // Steps and the time played (nothing before the first step), and once walked out, how it went.
    using Counters = GameLife::Counters;
    std::optional<Counters> CurrentCounters() { return life_.CurrentCounters(); }
    // Paused: no time played, no move taken, the maze covered; and resumed, the maze drawn again.
    void SetPaused(bool paused);
    bool Paused() const { return life_.Paused(); }
    // The next steps of the correct path from the player's cell (the walk counts as helped); none
    // while the maze is not walkable.
    GameLife::HintPath TakeHint();
    // The walk a new maze threw away, brought back with its maze drawn to fit the window.
    bool HasLastMaze() const { return life_.HasLastMaze(); }
    void BackToLastMaze();
    const GameLife& Life() const { return life_; }
    // A line for the status line when the next scene is finished, in place of the hint.
    void NoticeAfterBuild(const std::string& text) { notice_ = text; }

    // ---- zoom and follow, in the scene and the plan ----
    // Ctrl+= (1) and Ctrl+- (-1): a level in or out, centred on the player; Ctrl+0 (0): the whole maze.
    void ZoomKey(int step);
    // Ctrl with the wheel (eighths of a degree), or a pinch (its scaling since the last event),
    // about a point of the drawing area in logical pixels.
    void ZoomWheel(double angleDelta, double x, double y);
    void ZoomPinch(double scale, double x, double y);
    const ZoomView& Zoom() const { return zoom_; }
    // The scene's view as drawn now: zoomed in, or the game's own.
    ViewParams ShownSceneView() const;
    // The hint's line over the overview or the plan as drawn, in device pixels: nothing elsewhere.
    std::vector<PicturePoint> HintLine(const std::vector<Cell>& cells) const;
    // What the view from inside shows over itself once the player has walked out (the
    // congratulation and the walk's summary, a line each); true when the view was drawn again.
    bool ShowFinishText(const std::string& text);

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    FormHost& Host() { return host_; }

    MazeStyle CheckedStyle() const { return state_.style(); }

private:
    // One timer step of the run: a stage drawn, then the window lets events run and re-arms the
    // timer, or finishes the scene.
    void BuildStep();
    // What the run asks of the window: the status line and scale mode around a new maze, clearing
    // for a new view, events, the timer, and the status line and menus of a finished scene.
    void StartingRun() override;
    Area NewMazeArea() override;
    void MakeNewMaze(const Area& area) override {
        life_.MakeNewMaze(area.widthTwips, area.heightTwips, [this] { return host_.Timer(); }, kGenerationBudget);
    }
    double Clock() override { return host_.Timer(); }
    Pixels NewView() override;
    Canvas DrawingCanvas() override { return WindowCanvas(); }
    void DoEvents() override { host_.DoEvents(); }
    void ArmTimer() override { host_.SetTimer1Enabled(true); }
    std::vector<StepResult> ViewReady() override { return life_.ViewReady(); }
    void Finished(const std::string& status) override;
    // The tilt the scroll bar shows, and the scene drawn again for it.
    void TiltFromScrollBar();
    // The style menu's ticks show the game's style.
    void ShowStyle();
    // The window's device context, with the drawing area's height as it is now.
    Canvas WindowCanvas();

    // Ends any build chain for good and releases the grids (closing and Exit).
    void StopAndRelease();
    // After a key, a click or a tap moved the player: walked out, the congratulation.
    void AfterMove(const StepResult& last);

    // Views other than the scene: the whole view drawn at once, the eye between two places while a
    // move is drawn in motion; the menu's ticks and the tilt bar for the view.
    void DrawView();
    void ShowViewMenu();
    bool TooSmall() const;
    void FirstPersonKey(int& keyCode);
    void PlanKey(int& keyCode);
    // A walking key's common part: taken from the controls, a beep, the congratulation; true when
    // the player moved or turned.
    bool TookKey(const KeyResult& key, int& keyCode);
    void PointInView(double x, double y);
    // Input during a redraw of the same game: a walking key held for the finished scene (taken
    // from the window), and what was held, taken in order once it is finished.
    void HoldKey(int& keyCode);
    void TakeHeldInput();

    // Zoom (app/zoom_view.cpp): the player's place in the whole picture, the deepest level, the
    // view drawn whole at the zoom, steps drawn (the view moved when a step leaves the middle half),
    // and the scene's state seen through the zoom.
    bool Zoomable() const;
    PicturePoint PlayerPoint();
    int ZoomLimit();
    void ZoomTo(const ZoomView& zoom);
    void ZoomAboutPoint(int steps, double x, double y);   // the wheel's and the pinch's levels, logical pixels
    void ZoomAfterRun();
    void FollowPlayer();
    void DrawSteps(const std::vector<StepResult>& steps);
    SceneState ZoomedScene();

    FormHost& host_;
    GameState state_;
    View view_ = View::Overview;
    bool cornerMap_ = true;
    struct Motion {
        Eye from, to;
        double start;
    };
    std::optional<Motion> motion_;
    double lastMove_ = -1;   // when the last key moved or turned the player (the clock's seconds)
    bool newGameAsked_ = false;   // the next resize makes a new maze whatever its size choice
    GameLife life_{state_, [this] { return host_.Uptime(); }};
    std::string notice_;
    ZoomView zoom_;
    ZoomSteps zoomSteps_;
    std::string finishText_;
};

}  // namespace quivra
