#pragma once

#include "VeltraneKit/System/HotKeyRegistering.h"

#include <QObject>

#include <memory>

namespace veltrane {

// The X11 hot key: a passive grab of the key on the root window through the application's own
// X connection, for every combination of Caps Lock and NumLock so that neither lock stops it.
// The Carbon key code becomes an X keysym and then the key that produces it on the running
// server; command means Super, option Alt, with their modifier bits read from the server.
// Holding the key down is one press: the server's auto-repeat is recognised in both its forms.
//
// Under Wayland (without XWayland) or offscreen, registration reports `unavailable`; the
// desktop's own shortcut settings can run `moorlet --toggle` there instead.
//
// Destroying the object releases the key.
class GlobalHotKey final : public HotKeyRegistering {
public:
    GlobalHotKey();
    ~GlobalHotKey() override;
    GlobalHotKey(const GlobalHotKey&) = delete;
    GlobalHotKey& operator=(const GlobalHotKey&) = delete;

    // Whether the application runs on an X server (the xcb platform).
    static bool isAvailable();

    HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) override;
    void unregister() override;
    bool isRegistered() const override { return m_grab != nullptr; }
    HotKeyRegistration state() const override { return m_state; }

private:
    class Grab;

    HotKeyRegistration grab(std::uint32_t keyCode, std::uint32_t modifiers);
    void deliverPress();

    // Queued calls of onPressed are posted to this object, so that none arrives after we are gone.
    QObject m_deliveryContext;
    std::unique_ptr<Grab> m_grab;
    HotKeyRegistration m_state = HotKeyRegistration::unavailable;
};

} // namespace veltrane
