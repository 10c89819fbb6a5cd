// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game needs of its window toolkit, and nothing more. The Qt window implements it for
// play; the headless host implements it for tests. (The command-line tool needs no window: it
// drives the scene run itself.)
#include <string>

#include "game/window_design.h"
#include "render/gdi.h"

namespace quivra {

class FrmMain;

enum class Menu { Action, Style, Help, View };

constexpr int kScaleTwips = 1;
constexpr int kScalePixels = 3;
constexpr int kWindowMinimized = 1;

class FormHost {
public:
    virtual ~FormHost() = default;

    // The form whose handlers this host raises (Refresh, DoEvents, timer ticks).
    virtual void Attach(FrmMain* form) = 0;

    // Window. Sizes and control positions are in the current scale unit (twips or pixels).
    // Pixels are the screen's device pixels: a HiDPI screen has fewer twips to each of them.
    virtual double TwipsPerPixel() const { return kTwipsPerPixel; }
    virtual int ScaleMode() const = 0;
    virtual void SetScaleMode(int mode) = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual int WindowState() const = 0;
    virtual void Cls() = 0;
    virtual void Refresh() = 0;   // raises Form_Paint before it returns
    virtual DeviceContext& hDC() = 0;

    // Controls.
    virtual std::string Text1Text() const = 0;
    virtual void SetText1Text(const std::string& text) = 0;
    virtual double Text1Top() const = 0;
    virtual void SetText1Top(double top) = 0;
    virtual double Text1Width() const = 0;
    virtual void SetText1Width(double width) = 0;
    virtual double Text1Height() const = 0;

    virtual int VScroll1Value() const = 0;
    // Moves the bar without a change event, as a design value would be set.
    virtual void SetVScroll1Value(int value) = 0;
    virtual double VScroll1Left() const = 0;
    virtual void SetVScroll1Left(double left) = 0;
    virtual double VScroll1Width() const = 0;
    virtual double VScroll1Height() const = 0;
    virtual void SetVScroll1Height(double height) = 0;
    // Only the scene is tilted: the bar stays, disabled, in the other views.
    virtual void SetVScroll1Enabled(bool /*enabled*/) {}

    virtual bool Timer1Enabled() const = 0;
    virtual void SetTimer1Enabled(bool enabled) = 0;
    // A steady tick for a move drawn in motion (FrmMain::Frame_Timer), apart from the build's timer.
    virtual void SetFrameTimer(bool /*enabled*/) {}

    virtual bool MenuChecked(Menu menu, int index) const = 0;
    virtual void SetMenuChecked(Menu menu, int index, bool checked) = 0;
    virtual bool MenuEnabled(Menu menu, int index) const = 0;
    virtual void SetMenuEnabled(Menu menu, int index, bool enabled) = 0;

    // Services.
    virtual void DoEvents() = 0;
    virtual void Beep() = 0;
    virtual void MsgBox(const std::string& text, const std::string& title) = 0;   // modal, OK only
    virtual void OpenUrl(const std::string& url) = 0;                             // outcome ignored
    virtual void EndProgram() = 0;
    virtual double Timer() const = 0;   // seconds since midnight
    // Seconds on a clock that never goes back (the time played); the timer's where none is kept.
    virtual double Uptime() const { return Timer(); }
};

}  // namespace quivra

namespace quivra {

// The drawing area (client area less the scroll bar and the status line), in pixels,
// whatever the window's current scale unit.
inline double UnitsPerPixel(const FormHost& host) { return host.ScaleMode() == kScaleTwips ? host.TwipsPerPixel() : 1.0; }
inline int DrawAreaWidthPixels(const FormHost& host) {
    return static_cast<int>((host.ScaleWidth() - host.VScroll1Width()) / UnitsPerPixel(host) + 0.5);
}
inline int DrawAreaHeightPixels(const FormHost& host) {
    return static_cast<int>((host.ScaleHeight() - host.Text1Height()) / UnitsPerPixel(host) + 0.5);
}

}  // namespace quivra
