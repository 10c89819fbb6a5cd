// SPDX-License-Identifier: GPL-3.0-or-later
// The other views of the same game: from inside, and the flat plan. The run makes the maze as it
// does for the scene; the view is drawn whole when the run finishes, and again after every move.
#include "app/frm_main.h"
#include "render/plan_view.h"
#include "render/scene.h"

namespace quivra {

namespace {

constexpr double kMotionSeconds = 0.15;   // a move or a turn drawn in motion

}  // namespace

bool FrmMain::TooSmall() const {
    return static_cast<float>(host_.Text1Height() * 3) > static_cast<float>(host_.ScaleHeight());
}

void FrmMain::ShowIn(View view) {
    view_ = view;
    motion_.reset();
    host_.SetFrameTimer(false);
    ShowViewMenu();
}

void FrmMain::ShowViewMenu() {
    host_.SetMenuChecked(Menu::View, kOverview, view_ == View::Overview);
    host_.SetMenuChecked(Menu::View, kFirstPerson, view_ == View::FirstPerson);
    host_.SetMenuChecked(Menu::View, kPlan, view_ == View::Plan);
    host_.SetMenuChecked(Menu::View, kCornerMap, cornerMap_);
    host_.SetMenuEnabled(Menu::View, kCornerMap, view_ == View::FirstPerson);
    host_.SetVScroll1Enabled(view_ == View::Overview);
}

void FrmMain::mnuViewItem_Click(int index) {
    if (index == kCornerMap) {
        cornerMap_ = !cornerMap_;
        ShowViewMenu();
        if (view_ == View::FirstPerson && state_.SceneFinished()) DrawView();
        return;
    }
    if (index != kOverview && index != kFirstPerson && index != kPlan) return;
    const View view = index == kOverview ? View::Overview : index == kFirstPerson ? View::FirstPerson : View::Plan;
    if (view == view_) {
        ShowViewMenu();   // a click on the ticked item changes nothing
        return;
    }
    ShowIn(view);
    // The same game drawn again in the new view; a minimised or too small window waits for its
    // restore, which draws it.
    if (host_.WindowState() == kWindowMinimized || TooSmall()) return;
    state_.Redraw();
    host_.Refresh();
}

void FrmMain::DrawView() {
    if (view_ == View::Overview || !state_.HasMaze() || host_.WindowState() == kWindowMinimized) return;
    const int width = DrawAreaWidthPixels(host_), height = DrawAreaHeightPixels(host_);
    if (width <= 0 || height <= 0) return;
    DeviceContext& dc = host_.hDC();
    if (view_ == View::Plan) {
        PlanOptions plan{width, height, true, state_.walk().showingSolution, true};
        plan.zoom = zoom_;
        DrawPlan(dc, state_, plan);
        return;
    }
    Canvas canvas = WindowCanvas();
    FirstPersonOptions options{width, height, cornerMap_, std::nullopt};
    if (state_.walk().exitReached) options.finish = finishText_;
    if (motion_) options.eye = EyeBetween(motion_->from, motion_->to, (host_.Timer() - motion_->start) / kMotionSeconds);
    const HPALETTE previous = SelectGamePalette(dc, state_.palette);
    DrawFirstPerson(canvas, state_, options);
    RestorePalette(dc, state_.palette, previous);
}

bool FrmMain::ShowFinishText(const std::string& text) {
    if (text == finishText_) return false;
    finishText_ = text;
    if (view_ != View::FirstPerson || !state_.walk().exitReached || !state_.SceneFinished()) return false;
    DrawView();
    return true;
}

void FrmMain::Frame_Timer() {
    const double now = host_.Timer();
    // Past its time (or the clock passed midnight): the move's end, and no more ticks.
    if (motion_ && (now - motion_->start >= kMotionSeconds || now < motion_->start)) motion_.reset();
    if (!motion_) host_.SetFrameTimer(false);
    DrawView();
}

void FrmMain::FirstPersonKey(int& keyCode) {
    const Eye before = EyeOf(state_);
    if (!TookKey(life_.PressFirstPersonKey(keyCode), keyCode)) return;
    // Keys faster than a move is drawn skip the motion: the view is at once where they lead.
    const double now = host_.Timer();
    const bool quick = lastMove_ >= 0 && now >= lastMove_ && now - lastMove_ < kMotionSeconds;
    lastMove_ = now;
    if (quick) {
        motion_.reset();
    } else {
        motion_ = Motion{before, EyeOf(state_), now};
    }
    host_.SetFrameTimer(motion_.has_value());
    DrawView();
}

void FrmMain::PlanKey(int& keyCode) {
    if (!TookKey(life_.PressKey(keyCode), keyCode)) return;
    FollowPlayer();
    DrawView();
}

bool FrmMain::TookKey(const KeyResult& key, int& keyCode) {
    if (!key.consumed) return false;
    keyCode = 0;
    if (key.beep) {
        host_.Beep();
        return false;
    }
    AfterMove(key.step);
    return true;
}

void FrmMain::PointInView(double x, double y) {
    // Logical pixels to the drawing's device pixels.
    const double ratio = kTwipsPerPixel / host_.TwipsPerPixel();
    const int width = DrawAreaWidthPixels(host_), height = DrawAreaHeightPixels(host_);
    std::optional<Cell> cell;
    if (view_ == View::Plan) {
        PlanOptions plan{width, height, true, false, true};
        plan.zoom = zoom_;
        cell = PlanCellAt(state_, plan, x * ratio, y * ratio);
    } else {
        cell = FirstPersonCellAt(state_, FirstPersonOptions{width, height, cornerMap_, std::nullopt}, x * ratio, y * ratio);
    }
    if (!cell) return;
    motion_.reset();
    host_.SetFrameTimer(false);
    const Game::WalkResult walk = life_.WalkTo(cell->x, cell->y);
    if (walk.beep) host_.Beep();
    if (walk.steps.empty()) return;
    AfterMove(walk.steps.back());
    if (view_ == View::Plan) FollowPlayer();
    DrawView();
}

}  // namespace quivra
