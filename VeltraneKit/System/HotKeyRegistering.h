#pragma once

#include <cstdint>
#include <functional>

namespace veltrane {

// How a hot-key registration ended.
enum class HotKeyRegistration {
    registered,
    // The window system refused the key: another program holds it.
    refused,
    // The key code names no key this keyboard has.
    unsupportedKey,
    // No window system that lets a program own a system-wide key (Wayland without X, offscreen).
    unavailable,
};

// One system-wide keyboard shortcut that calls back whichever program is active. The real
// implementation is GlobalHotKey; tests of its users substitute a double.
//
// Main thread only. `onPressed` is always called later from the main event loop, never from
// inside the call or event that caused it.
class HotKeyRegistering {
public:
    virtual ~HotKeyRegistering() = default;

    // Takes the key named by a Carbon key code and modifier mask (see CarbonKeys.h), replacing
    // any earlier key: the earlier key is released first, even when the new one is refused.
    // Named so because `register` is a C++ keyword.
    virtual HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) = 0;
    // Releases the key; harmless when none is held.
    virtual void unregister() = 0;
    virtual bool isRegistered() const = 0;

    // Called once per press of the key; a press while it is unset does nothing.
    std::function<void()> onPressed;
};

} // namespace veltrane
