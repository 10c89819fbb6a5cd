// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and follow in the scene and the plan: the picture scaled about a point, the point following
// the player. A move of the view draws the whole view at once; a step inside it draws only the step.
#include "app/frm_main.h"

#include <algorithm>

#include "render/hint_line.h"
#include "render/plan_view.h"
#include "render/scene.h"
#include "render/zoomed_view.h"

namespace quivra {

bool FrmMain::Zoomable() const {
    return view_ != View::FirstPerson && state_.HasMaze() && state_.SceneFinished() &&
           host_.WindowState() != kWindowMinimized && !TooSmall();
}

PicturePoint FrmMain::PlayerPoint() {
    const int width = DrawAreaWidthPixels(host_), height = DrawAreaHeightPixels(host_);
    if (view_ == View::Plan) return PlanPlayerPoint(state_, PlanOptions{width, height, true, false, true});
    return ScenePlayerPoint(state_, state_.View(), height);
}

int FrmMain::ZoomLimit() {
    const int width = DrawAreaWidthPixels(host_), height = DrawAreaHeightPixels(host_);
    const double cell = view_ == View::Plan ? PlanCellPixels(state_, PlanOptions{width, height, true, false, true})
                                            : SceneCellPixels(state_, state_.View());
    return MaxZoomLevel(cell, width, height);
}

void FrmMain::ZoomKey(int step) {
    if (!Zoomable()) return;
    zoomSteps_.Reset();
    // The keys zoom centred on the player: n steps in from the whole maze are level n, as
    // quivra-tool render --zoom n draws it.
    const int level = std::clamp(zoom_.level + step, 0, step == 0 ? 0 : std::max(zoom_.level, ZoomLimit()));
    ZoomTo(level == 0 ? ZoomView{} : ZoomOnPlayer(level, PlayerPoint()));
}

void FrmMain::ZoomWheel(double angleDelta, double x, double y) { ZoomAboutPoint(zoomSteps_.FromWheel(angleDelta), x, y); }

void FrmMain::ZoomPinch(double scale, double x, double y) { ZoomAboutPoint(zoomSteps_.FromPinch(scale), x, y); }

void FrmMain::ZoomAboutPoint(int steps, double x, double y) {
    if (steps == 0 || !Zoomable()) return;
    const double ratio = kTwipsPerPixel / host_.TwipsPerPixel();
    ZoomTo(ZoomAbout(zoom_, steps, {x * ratio, y * ratio}, PlayerPoint(), ZoomLimit(), DrawAreaWidthPixels(host_),
                     DrawAreaHeightPixels(host_)));
}

void FrmMain::ZoomTo(const ZoomView& zoom) {
    const bool same = zoom.level == zoom_.level && (!zoom.Zoomed() || (zoom.centre.x == zoom_.centre.x &&
                                                                       zoom.centre.y == zoom_.centre.y));
    zoom_ = zoom;
    if (same) return;
    if (view_ == View::Plan) return DrawView();
    Canvas canvas = WindowCanvas();
    DrawZoomedScene(state_, state_, canvas, DrawAreaWidthPixels(host_), zoom_);
}

void FrmMain::ZoomAfterRun() {
    // A run draws the whole picture anew (a new maze, a new size or tilt): the zoom keeps its level,
    // as far as the new cells allow, and centres on the player again.
    if (!zoom_.Zoomed() || view_ == View::FirstPerson) return;
    const int level = std::min(zoom_.level, ZoomLimit());
    zoom_ = level == 0 ? ZoomView{} : ZoomOnPlayer(level, PlayerPoint());
    if (!zoom_.Zoomed()) return;
    if (view_ == View::Overview) {
        Canvas canvas = WindowCanvas();
        DrawZoomedScene(state_, state_, canvas, DrawAreaWidthPixels(host_), zoom_);
    }
}

void FrmMain::FollowPlayer() {
    if (!zoom_.Zoomed()) return;
    zoom_ = Follow(zoom_, PlayerPoint(), DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_));
}

void FrmMain::DrawSteps(const std::vector<StepResult>& steps) {
    Canvas canvas = WindowCanvas();
    if (!zoom_.Zoomed()) {
        for (const StepResult& step : steps) DrawStep(step, state_, canvas);
        return;
    }
    const ZoomView before = zoom_;
    FollowPlayer();
    if (zoom_.centre.x != before.centre.x || zoom_.centre.y != before.centre.y) {
        DrawZoomedScene(state_, state_, canvas, DrawAreaWidthPixels(host_), zoom_);
        return;
    }
    SceneState zoomed = ZoomedScene();
    for (const StepResult& step : steps) DrawStep(step, zoomed, canvas);
}

std::vector<PicturePoint> FrmMain::HintLine(const std::vector<Cell>& cells) const {
    const int width = DrawAreaWidthPixels(host_), height = DrawAreaHeightPixels(host_);
    if (!state_.HasMaze() || !state_.SceneFinished() || state_.HasWalkToReplay() || width <= 0 || height <= 0) return {};
    if (view_ == View::Plan) {
        PlanOptions plan{width, height, true, false, true};
        plan.zoom = zoom_;
        return PlanHintLine(state_, plan, cells);
    }
    if (view_ == View::Overview) return SceneHintLine(state_, ShownSceneView(), height, cells);
    return {};
}

ViewParams FrmMain::ShownSceneView() const {
    return ZoomedSceneView(state_.View(), zoom_, DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_));
}

SceneState FrmMain::ZoomedScene() {
    SceneState zoomed = state_;
    zoomed.SetView(ZoomedSceneView(state_.View(), zoom_, DrawAreaWidthPixels(host_), DrawAreaHeightPixels(host_)));
    return zoomed;
}

}  // namespace quivra
