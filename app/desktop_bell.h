#pragma once
// The desktop's own "bell" event sound, as other desktop programs play it: the X bell is off on
// most desktops and Wayland has none, so a blocked move would otherwise be silent.
struct ca_context;

namespace quivra {

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

}  // namespace quivra
