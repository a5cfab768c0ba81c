#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace veltrane {

// A snapshot of the X server's core keyboard mapping (key code → keysyms) and modifier mapping
// (modifier bit → key codes), read from one connection. Which modifier bit NumLock, Super or Alt
// sits on is a property of the running server, so it is looked up here rather than assumed.
class XcbKeyboardMap {
public:
    // None when the server does not answer either request.
    static std::optional<XcbKeyboardMap> read(xcb_connection_t* connection);

    // The key that produces the keysym: the first key with it in its unshifted position, else
    // the first with it in the shifted position, and so on, as Xlib chooses.
    std::optional<xcb_keycode_t> keycodeFor(xcb_keysym_t keysym) const;
    // The modifier bit bound to a key producing any of the keysyms; 0 when none is bound.
    std::uint16_t modifierMaskFor(std::initializer_list<xcb_keysym_t> keysyms) const;

private:
    xcb_keycode_t m_minKeycode = 0;
    int m_keysymsPerKeycode = 0;
    std::vector<xcb_keysym_t> m_keysyms;
    int m_keycodesPerModifier = 0;
    std::vector<xcb_keycode_t> m_modifierKeycodes;
};

} // namespace veltrane
