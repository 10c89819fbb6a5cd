// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game takes from the desktop it runs on: the bell sound and the toolkit's Chinese texts.
struct ca_context;

namespace quivra {

// The desktop's own "bell" event sound, as other desktop programs play it: the X bell is off on
// most desktops and Wayland has none, so a blocked move would otherwise be silent.
class DesktopBell {
public:
    DesktopBell();   // connects to the sound server once, so a key never waits for it
    ~DesktopBell();
    DesktopBell(const DesktopBell&) = delete;
    DesktopBell& operator=(const DesktopBell&) = delete;

    // Starts the sound and returns at once; false when there is no sound server or no bell sound,
    // in which case the caller falls back to the toolkit's beep.
    bool Ring();

private:
    ca_context* context_ = nullptr;
};

// Loads the toolkit's own Chinese texts (standard buttons) for the whole application, whatever the
// desktop's language: the game's window is Chinese. False when they are not installed.
bool UseChineseToolkitTexts();

}  // namespace quivra
