#pragma once

#include <optional>

// Whether Caps Lock, Num Lock and Scroll Lock are on.
struct LockKeyStates {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    bool operator==(const LockKeyStates&) const = default;
};

// The lock keys as the keyboard's lights show them now, where the platform tells (X11, through
// its keyboard extension); none elsewhere (Wayland, the offscreen platform). Asks the display
// server each time, so call it when a key was pressed or the window was activated.
std::optional<LockKeyStates> ReadLockKeys();
