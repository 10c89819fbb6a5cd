// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window without a screen, for tests: an offscreen image, a
// scripted clock, events queued for DoEvents, and records of what the game asked of the desktop.
#include <QImage>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/form_host.h"
#include "game/scripted_clock.h"

namespace quivra {

class HeadlessForm : public FormHost {
public:
    explicit HeadlessForm(int clientWidth = 400, int clientHeight = 298, ScreenCaps caps = {});

    // --- scripting ---------------------------------------------------------------------------
    // Every reading of the clock returns now, then advances it by step.
    void SetClock(double now, double step) { clock_.Set(now, step); }
    // Clock step that makes a generator run exactly `trials` candidates (0 still makes one).
    static double StepForTrials(int trials) { return ScriptedClock::StepForTrials(trials); }

    // Window events raised as the toolkit would raise them; none reaches an ended program.
    void Show();                           // Form_Load, then the first Form_Resize
    void Resize(int clientWidth, int clientHeight);
    void Minimize();
    void Restore();
    bool PressKey(int keyCode);            // true when the game consumed the key
    void SetVScroll1Value(int value) override { scrollValue_ = value; }   // no event, like a design value
    void ScrollTo(int value);              // a click on the bar: Change
    void DragThumb(int value);             // thumb moving: Scroll only
    void Close();                          // Form_Unload
    void Expose() {}                       // the retained picture needs no repaint

    // Queue an event for the next DoEvents (run inside a build step).
    void Post(std::function<void()> event) { pending_.push_back(std::move(event)); }
    // Called at the start of every DoEvents; lets a test inject events at a chosen step.
    std::function<void(int doEventsCount)> onDoEvents;

    // Fires Timer1 once if it is enabled; returns whether it fired.
    bool TickTimer();
    // Ticks until the timer stays off; returns the number of ticks (bounded by maxTicks).
    int RunTimer(int maxTicks = 1000000);

    const QImage& Image() const { return image_; }
    int ClientWidth() const { return image_.width(); }
    int ClientHeight() const { return image_.height(); }
    FrmMain* Form() const { return form_; }

    int beeps = 0;
    int doEventsCalls = 0;
    int timerTicks = 0;
    int paints = 0;
    bool ended = false;
    std::vector<std::pair<std::string, std::string>> messages;   // (text, title)
    std::vector<std::string> urls;

    // --- FormHost ----------------------------------------------------------------------------
    void Attach(FrmMain* form) override { form_ = form; }
    int ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(int mode) override { scaleMode_ = mode; }
    double ScaleWidth() const override { return ToUnit(image_.width()); }
    double ScaleHeight() const override { return ToUnit(image_.height()); }
    int WindowState() const override { return minimized_ ? kWindowMinimized : 0; }
    void Cls() override;
    void Refresh() override;
    DeviceContext& hDC() override { return dc_; }

    std::string Text1Text() const override { return text1_; }
    void SetText1Text(const std::string& text) override { text1_ = text; }
    double Text1Top() const override { return ToUnit(text1Top_); }
    void SetText1Top(double top) override { text1Top_ = FromUnit(top); }
    double Text1Width() const override { return ToUnit(text1Width_); }
    void SetText1Width(double width) override { text1Width_ = FromUnit(width); }
    double Text1Height() const override { return ToUnit(text1Height_); }

    int VScroll1Value() const override { return scrollValue_; }
    double VScroll1Left() const override { return ToUnit(scrollLeft_); }
    void SetVScroll1Left(double left) override { scrollLeft_ = FromUnit(left); }
    double VScroll1Width() const override { return ToUnit(scrollWidth_); }
    double VScroll1Height() const override { return ToUnit(scrollHeight_); }
    void SetVScroll1Height(double height) override { scrollHeight_ = FromUnit(height); }

    bool Timer1Enabled() const override { return timerEnabled_; }
    void SetTimer1Enabled(bool enabled) override { timerEnabled_ = enabled; }
    void SetVScroll1Enabled(bool enabled) override { vscroll1Enabled = enabled; }
    void SetFrameTimer(bool enabled) override { frameTimer = enabled; }
    bool vscroll1Enabled = true;
    bool frameTimer = false;   // a test calls Frame_Timer itself while this is on

    bool MenuChecked(Menu menu, int index) const override { return Item(menu, index).checked; }
    void SetMenuChecked(Menu menu, int index, bool checked) override { Item(menu, index).checked = checked; }
    bool MenuEnabled(Menu menu, int index) const override { return Item(menu, index).enabled; }
    void SetMenuEnabled(Menu menu, int index, bool enabled) override { Item(menu, index).enabled = enabled; }

    void DoEvents() override;
    void Beep() override { ++beeps; }
    void MsgBox(const std::string& text, const std::string& title) override { messages.emplace_back(text, title); }
    void OpenUrl(const std::string& url) override { urls.push_back(url); }
    void EndProgram() override { ended = true; }
    double Timer() const override;

    int Text1HeightPixels() const { return text1Height_; }
    int VScroll1WidthPixels() const { return scrollWidth_; }

private:
    struct MenuItem {
        bool checked = false;
        bool enabled = true;
    };
    double ToUnit(int pixels) const { return scaleMode_ == kScaleTwips ? pixels * kTwipsPerPixel : pixels; }
    int FromUnit(double value) const;
    MenuItem& Item(Menu menu, int index);
    const MenuItem& Item(Menu menu, int index) const;

    FrmMain* form_ = nullptr;
    QImage image_;
    DeviceContext dc_;
    int scaleMode_ = kScaleTwips;
    bool minimized_ = false;
    std::string text1_;
    int text1Top_, text1Width_, text1Height_;
    int scrollValue_, scrollLeft_, scrollWidth_, scrollHeight_;
    bool timerEnabled_ = false;
    MenuItem actionItems_[5], styleItems_[2], helpItems_[1], viewItems_[5];
    std::deque<std::function<void()>> pending_;
    // Reading k is start + k * step, computed afresh so that a million steps add no rounding.
    mutable ScriptedClock clock_;
};

}  // namespace quivra
