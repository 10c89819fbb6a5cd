// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/headless_form.h"

#include <algorithm>
#include <cmath>

#include "app/frm_main.h"

namespace quivra {

namespace {
int TwipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }
}  // namespace

HeadlessForm::HeadlessForm(int clientWidth, int clientHeight, ScreenCaps caps)
    : image_(std::max(clientWidth, 1), std::max(clientHeight, 1), QImage::Format_RGB32),
      dc_(&image_, caps),
      text1Top_(TwipsToPixels(4200)),
      text1Width_(TwipsToPixels(6012)),
      text1Height_(TwipsToPixels(kText1HeightTwips)),
      scrollValue_(kVScroll1Start),
      scrollLeft_(TwipsToPixels(5760)),
      scrollWidth_(TwipsToPixels(kVScroll1WidthTwips)),
      scrollHeight_(TwipsToPixels(4212)) {
    image_.fill(Qt::white);
    actionItems_[kShowSolution].enabled = false;
    actionItems_[kClear].enabled = false;
}

int HeadlessForm::FromUnit(double value) const {
    const double pixels = scaleMode_ == kScaleTwips ? value / kTwipsPerPixel : value;
    return static_cast<int>(std::lround(pixels));
}

HeadlessForm::MenuItem& HeadlessForm::Item(Menu menu, int index) {
    return const_cast<MenuItem&>(static_cast<const HeadlessForm*>(this)->Item(menu, index));
}

const HeadlessForm::MenuItem& HeadlessForm::Item(Menu menu, int index) const {
    switch (menu) {
        case Menu::Action: return actionItems_[index];
        case Menu::Style: return styleItems_[index];
        case Menu::View: return viewItems_[index];
        case Menu::Help: break;
    }
    return helpItems_[index];
}

void HeadlessForm::Show() {
    form_->Form_Load();
    form_->Form_Resize();
}

void HeadlessForm::Resize(int clientWidth, int clientHeight) {
    if (ended) return;
    minimized_ = false;
    image_ = QImage(std::max(clientWidth, 1), std::max(clientHeight, 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_.SetTarget(&image_);
    form_->Form_Resize();
}

void HeadlessForm::Minimize() {
    if (ended) return;
    minimized_ = true;
    form_->Form_Resize();
}

void HeadlessForm::Restore() {
    if (ended) return;
    minimized_ = false;
    form_->Form_Resize();
}

bool HeadlessForm::PressKey(int keyCode) {
    if (ended) return false;
    int code = keyCode;
    form_->Form_KeyDown(code, 0);
    return code == 0;
}

void HeadlessForm::ScrollTo(int value) {
    if (ended) return;
    scrollValue_ = std::clamp(value, kVScroll1Min, kVScroll1Max);
    form_->VScroll1_Change();
}

void HeadlessForm::DragThumb(int value) {
    if (ended) return;
    scrollValue_ = std::clamp(value, kVScroll1Min, kVScroll1Max);
    form_->VScroll1_Scroll();
}

void HeadlessForm::Close() {
    if (ended) return;
    int cancel = 0;
    form_->Form_Unload(cancel);
    ended = true;   // the window is gone: the program ends with it
}

void HeadlessForm::Cls() { image_.fill(Qt::white); }

void HeadlessForm::Refresh() {
    ++paints;
    form_->Form_Paint();
}

void HeadlessForm::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents) onDoEvents(doEventsCalls);
    // Only what was pending when DoEvents began; events posted by those wait for the next one.
    std::deque<std::function<void()>> batch;
    batch.swap(pending_);
    for (auto& event : batch) {
        if (ended) return;   // nothing is handled after the program ended
        event();
    }
}

double HeadlessForm::Timer() const { return clock_.Read(); }

bool HeadlessForm::TickTimer() {
    if (!timerEnabled_ || ended) return false;
    ++timerTicks;
    form_->Timer1_Timer();
    return true;
}

int HeadlessForm::RunTimer(int maxTicks) {
    int ticks = 0;
    while (ticks < maxTicks && TickTimer()) ++ticks;
    return ticks;
}

}  // namespace quivra
