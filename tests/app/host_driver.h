// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One way to drive the game whichever host it runs on: the headless host through its scripting
// calls, or the real Qt window through Qt's own event path (QAction::trigger, key events to the
// window, resizes, minimise and restore, scroll bar actions, timer events). The host contract
// tests and the random event test run the same steps on both.
#include <QImage>

#include <functional>
#include <memory>
#include <string>

#include "app/frm_main.h"

namespace quivra {

// What the game cannot report itself, counted by the host.
struct HostCounts {
    int beeps = 0;
    int clears = 0;
    int finishes = 0;     // builds that reached their end (the one place that enables Clear)
    int lastClear = 0;    // value of `changes` at the last Cls
    int lastFinish = -1;  // value of `changes` at the last finished build
    int changes = 0;
    int messages = 0;
    int urls = 0;
};

class HostDriver {
public:
    virtual ~HostDriver() = default;
    virtual std::string Name() const = 0;
    virtual FormHost& Host() = 0;
    virtual FrmMain& Form() = 0;
    virtual const QImage& Image() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    virtual void Show() = 0;                        // Form_Load has run; this is the first showing
    virtual bool Tick() = 0;                        // Timer1 fires once if armed
    virtual void PressKey(int keyCode) = 0;         // a Windows virtual-key code
    virtual void Click(Menu menu, int index) = 0;   // through the item: a disabled one does nothing
    virtual void ScrollTo(int value) = 0;           // clicks on the bar's arrows until it shows value
    virtual void DragThumb(int value) = 0;          // thumb held down and moved
    virtual void ReleaseThumb() = 0;
    virtual void ResizeClient(int width, int height) = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    virtual void Close() = 0;
    virtual void Post(std::function<void()> event) = 0;   // runs when the game next lets events in

    // Ticks until the timer stays off; the number of ticks.
    int RunBuild(int maxTicks = 100000) {
        int ticks = 0;
        while (ticks < maxTicks && Tick()) ++ticks;
        return ticks;
    }
    int Text1HeightPixels() { return static_cast<int>(Host().Text1Height() / UnitsPerPixel(Host()) + 0.5); }
    int VScroll1WidthPixels() { return static_cast<int>(Host().VScroll1Width() / UnitsPerPixel(Host()) + 0.5); }

    HostCounts counts;
    std::function<void()> onDoEvents;        // at the start of every DoEvents of a build step
    std::function<void()> whileAboutOpen;    // while the modal About box is up
};

// Both read a scripted clock starting at `clock` (seconds since midnight) that makes every
// generation try one candidate maze.
std::unique_ptr<HostDriver> MakeHeadlessDriver(int clientWidth, int clientHeight, ScreenCaps caps = {},
                                               double clock = 43200.52);
// Needs a QApplication on the offscreen platform.
std::unique_ptr<HostDriver> MakeQtDriver(int clientWidth, int clientHeight, double clock = 43200.52);

}  // namespace quivra
