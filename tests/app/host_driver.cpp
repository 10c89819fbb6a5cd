// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_driver.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <utility>

#include "app/headless_form.h"
#include "game/key_codes.h"
#include "app/qt_form.h"

namespace quivra {

namespace {

// Counts what the game asks of either host; each host adds what only it needs.
template <class Host>
class Watched : public Host {
public:
    template <class... Args>
    explicit Watched(HostDriver& driver, Args&&... args) : Host(std::forward<Args>(args)...), d_(driver) {}
    void Cls() override {
        ++d_.counts.clears;
        d_.counts.lastClear = ++d_.counts.changes;
        Host::Cls();
    }
    void SetMenuEnabled(Menu menu, int index, bool enabled) override {
        if (menu == Menu::Action && index == kClear && enabled) {
            ++d_.counts.finishes;
            d_.counts.lastFinish = ++d_.counts.changes;
        }
        Host::SetMenuEnabled(menu, index, enabled);
    }
    void Beep() override { ++d_.counts.beeps; }
    void OpenUrl(const std::string&) override { ++d_.counts.urls; }

protected:
    HostDriver& d_;
};

// --- headless ----------------------------------------------------------------------------------

class WatchedHeadless : public Watched<HeadlessForm> {
public:
    WatchedHeadless(HostDriver& driver, int w, int h, ScreenCaps caps) : Watched(driver, w, h, caps) {}
    void MsgBox(const std::string&, const std::string&) override {
        ++d_.counts.messages;
        if (d_.whileAboutOpen) d_.whileAboutOpen();
    }
};

class HeadlessDriver : public HostDriver {
public:
    HeadlessDriver(int w, int h, ScreenCaps caps, double clock) : host_(*this, w, h, caps), form_(host_) {
        host_.SetClock(clock, HeadlessForm::StepForTrials(1));
        host_.onDoEvents = [this](int) {
            if (onDoEvents) onDoEvents();
        };
    }
    std::string Name() const override { return "headless"; }
    FormHost& Host() override { return host_; }
    FrmMain& Form() override { return form_; }
    const QImage& Image() const override { return host_.Image(); }
    int ClientWidth() const override { return host_.ClientWidth(); }
    int ClientHeight() const override { return host_.ClientHeight(); }

    void Show() override { host_.Show(); }
    bool Tick() override { return host_.TickTimer(); }
    void PressKey(int keyCode) override { host_.PressKey(keyCode); }
    void Click(Menu menu, int index) override {
        if (host_.ended || !host_.MenuEnabled(menu, index)) return;
        switch (menu) {
            case Menu::Action: form_.mnuActionItem_Click(index); break;
            case Menu::Style: form_.mnuStyleItem_Click(index); break;
            case Menu::Help: form_.mnuHelpItem_Click(index); break;
            case Menu::View: form_.mnuViewItem_Click(index); break;
        }
    }
    void ScrollTo(int value) override { host_.ScrollTo(value); }
    void DragThumb(int value) override {
        held_ = true;
        host_.DragThumb(value);
    }
    void ReleaseThumb() override {
        if (!held_ || host_.ended) return;
        held_ = false;
        form_.VScroll1_Change();
    }
    void ResizeClient(int width, int height) override { host_.Resize(width, height); }
    void Minimize() override { host_.Minimize(); }
    void Restore() override {
        if (host_.WindowState() == kWindowMinimized) host_.Restore();
    }
    void Close() override { host_.Close(); }
    void Post(std::function<void()> event) override { host_.Post(std::move(event)); }

private:
    WatchedHeadless host_;
    FrmMain form_;
    bool held_ = false;
};

// --- the real window ---------------------------------------------------------------------------

class WatchedQtForm : public Watched<QtForm> {
public:
    explicit WatchedQtForm(HostDriver& driver) : Watched(driver) {}
    void DoEvents() override {
        if (d_.onDoEvents) d_.onDoEvents();
        QtForm::DoEvents();
    }
    // The box is modal: its own loop runs the answer. It is looked for among the window's children,
    // since a minimised window's box need not be the active modal widget, and answered again until
    // it is gone, so an answer that comes before its loop has begun is not lost.
    void MsgBox(const std::string& text, const std::string& title) override {
        ++d_.counts.messages;
        Answered([&] { QtForm::MsgBox(text, title); });
    }
    void ShowHowToPlay() override {
        Answered([&] { QtForm::ShowHowToPlay(); });
    }
    // The headless host's scripted clock: one candidate maze per generation, the same every run.
    double Timer() const override {
        const double now = clock_;
        clock_ += HeadlessForm::StepForTrials(1);
        if (clock_ >= 86400.0) clock_ -= 86400.0;
        return now;
    }
    void SetClock(double now) { clock_ = now; }

private:
    template <typename Show>
    void Answered(Show show) {
        QTimer answer;
        answer.setInterval(1);
        bool seen = false;
        connect(&answer, &QTimer::timeout, this, [this, &seen] {
            for (QMessageBox* box : findChildren<QMessageBox*>()) {
                if (!seen && d_.whileAboutOpen) d_.whileAboutOpen();
                seen = true;
                box->done(QMessageBox::Ok);
            }
        });
        answer.start();
        show();
    }
    mutable double clock_ = 43200.52;
};

// Qt key and modifiers of a Windows virtual-key code; Key_unknown for codes no key sends here.
std::pair<int, Qt::KeyboardModifiers> QtKeyOf(int code) {
    switch (code) {
        case vk::kClear: return {Qt::Key_Clear, Qt::KeypadModifier};
        case vk::kReturn: return {Qt::Key_Return, Qt::NoModifier};
        case vk::kEscape: return {Qt::Key_Escape, Qt::NoModifier};
        case vk::kPageUp: return {Qt::Key_PageUp, Qt::NoModifier};
        case vk::kPageDown: return {Qt::Key_PageDown, Qt::NoModifier};
        case vk::kEnd: return {Qt::Key_End, Qt::NoModifier};
        case vk::kHome: return {Qt::Key_Home, Qt::NoModifier};
        case vk::kLeft: return {Qt::Key_Left, Qt::NoModifier};
        case vk::kUp: return {Qt::Key_Up, Qt::NoModifier};
        case vk::kRight: return {Qt::Key_Right, Qt::NoModifier};
        case vk::kDown: return {Qt::Key_Down, Qt::NoModifier};
        case vk::kInsert: return {Qt::Key_Insert, Qt::NoModifier};
        case vk::kDelete: return {Qt::Key_Delete, Qt::NoModifier};
        case vk::kF1: return {Qt::Key_F1, Qt::NoModifier};
        default: break;
    }
    if (code >= vk::kPad0 && code <= vk::kPad9) return {Qt::Key_0 + (code - vk::kPad0), Qt::KeypadModifier};
    if (code >= vk::k0 && code <= vk::k0 + 9) return {Qt::Key_0 + (code - vk::k0), Qt::NoModifier};
    if (code >= vk::kA && code <= vk::kZ) return {Qt::Key_A + (code - vk::kA), Qt::NoModifier};
    return {Qt::Key_unknown, Qt::NoModifier};
}

class QtDriver : public HostDriver {
public:
    QtDriver(int w, int h, double clock) : window_(*this) {
        window_.SetClock(clock);
        // Ticks come from Tick(), through the timer's own event, so a run never depends on how
        // fast the machine is; the real interval would fire on its own between the test's steps.
        window_.Timer1()->setInterval(24 * 3600 * 1000);
        SetClientSize(w, h);
    }
    std::string Name() const override { return "qt"; }
    FormHost& Host() override { return window_; }
    FrmMain& Form() override { return window_.Form(); }
    const QImage& Image() const override { return window_.BackingImage(); }
    int ClientWidth() const override { return window_.ClientArea()->width(); }
    int ClientHeight() const override { return window_.ClientArea()->height(); }

    void Show() override {
        window_.show();
        window_.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window_);
        Settle();
    }
    bool Tick() override {
        QTimer* timer = window_.Timer1();
        if (!timer->isActive()) return false;
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
        Settle();
        return true;
    }
    void PressKey(int keyCode) override {
        const auto [key, modifiers] = QtKeyOf(keyCode);
        if (key == Qt::Key_unknown) return;
        QTest::keyClick(window_.windowHandle(), static_cast<Qt::Key>(key), modifiers);
        Settle();
    }
    void Click(Menu menu, int index) override {
        window_.Action(menu, index)->trigger();
        Settle();
    }
    void ScrollTo(int value) override {
        QScrollBar* bar = window_.VScroll1();
        const int target = std::clamp(value, bar->minimum(), bar->maximum());
        if (target == bar->value()) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        while (bar->value() != target) {
            bar->triggerAction(target > bar->value() ? QAbstractSlider::SliderSingleStepAdd
                                                     : QAbstractSlider::SliderSingleStepSub);
        }
        Settle();
    }
    void DragThumb(int value) override {
        QScrollBar* bar = window_.VScroll1();
        if (!bar->isSliderDown()) bar->setSliderDown(true);
        bar->setSliderPosition(value);
        Settle();
    }
    void ReleaseThumb() override {
        if (!window_.VScroll1()->isSliderDown()) return;
        window_.VScroll1()->setSliderDown(false);
        Settle();
    }
    void ResizeClient(int width, int height) override {
        if (window_.isMinimized()) window_.showNormal();
        SetClientSize(width, height);
        Settle();
    }
    void Minimize() override {
        window_.showMinimized();
        Settle();
    }
    void Restore() override {
        if (!window_.isMinimized()) return;
        window_.showNormal();
        window_.activateWindow();
        Settle();
    }
    void Close() override {
        window_.close();
        Settle();
    }
    void Post(std::function<void()> event) override { QTimer::singleShot(0, &window_, std::move(event)); }

private:
    void SetClientSize(int width, int height) {
        window_.resize(std::max(width, 1), std::max(height, 1) + window_.menuBar()->sizeHint().height());
    }
    // What the action queued (the scroll bar's change, layout) is delivered now.
    static void Settle() { QCoreApplication::processEvents(); }

    WatchedQtForm window_;
};

}  // namespace

std::unique_ptr<HostDriver> MakeHeadlessDriver(int clientWidth, int clientHeight, ScreenCaps caps, double clock) {
    return std::make_unique<HeadlessDriver>(clientWidth, clientHeight, caps, clock);
}

std::unique_ptr<HostDriver> MakeQtDriver(int clientWidth, int clientHeight, double clock) {
    return std::make_unique<QtDriver>(clientWidth, clientHeight, clock);
}

}  // namespace quivra
