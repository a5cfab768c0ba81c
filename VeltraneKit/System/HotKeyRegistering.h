#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace veltrane {

// How a hot-key registration ended.
enum class HotKeyRegistration {
    registered,
    // The window system refused the key: another program holds it.
    refused,
    // The key code names no key this keyboard has.
    unsupportedKey,
    // No window system that lets a program own a system-wide key (Wayland without X, offscreen),
    // or no desktop portal that binds one for it.
    unavailable,
    // The system answers later (a desktop portal, whose user may be asked first); onStateChanged
    // reports the outcome.
    pending,
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
    // How the last registration stands; `unavailable` before the first and after unregister().
    virtual HotKeyRegistration state() const
    {
        return isRegistered() ? HotKeyRegistration::registered : HotKeyRegistration::unavailable;
    }
    // The keys that fire the shortcut as the system names them, where the system chooses them (a
    // portal binds the preferred keys or whatever its user picks instead); empty otherwise.
    virtual std::string triggerDescription() const { return {}; }

    // Called whenever state() or triggerDescription() changes after the call that asked: an
    // answer that came later, a trigger the user changed in the desktop's settings.
    std::function<void()> onStateChanged;

    // Called once per press of the key; a press while it is unset does nothing.
    std::function<void()> onPressed;
};

} // namespace veltrane
