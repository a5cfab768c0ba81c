#include "VeltraneKit/System/XcbKeyboardMap.h"

#include "VeltraneKit/System/XcbPointer.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr int kModifierCount = 8;

} // namespace

std::optional<XcbKeyboardMap> XcbKeyboardMap::read(xcb_connection_t* connection)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int keyCount = setup->max_keycode - setup->min_keycode + 1;
    const auto keyboardCookie = xcb_get_keyboard_mapping(connection, setup->min_keycode, keyCount);
    const auto modifierCookie = xcb_get_modifier_mapping(connection);
    const XcbPointer<xcb_get_keyboard_mapping_reply_t> keyboard(
        xcb_get_keyboard_mapping_reply(connection, keyboardCookie, nullptr));
    const XcbPointer<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, modifierCookie, nullptr));
    if (!keyboard || !modifiers)
        return std::nullopt;

    XcbKeyboardMap map;
    map.m_minKeycode = setup->min_keycode;
    map.m_keysymsPerKeycode = keyboard->keysyms_per_keycode;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    map.m_keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(keyboard.get()));
    map.m_keycodesPerModifier = modifiers->keycodes_per_modifier;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    map.m_modifierKeycodes.assign(
        keycodes, keycodes + xcb_get_modifier_mapping_keycodes_length(modifiers.get()));
    return map;
}

std::optional<xcb_keycode_t> XcbKeyboardMap::keycodeFor(xcb_keysym_t keysym) const
{
    if (m_keysymsPerKeycode <= 0)
        return std::nullopt;
    const auto keyCount = static_cast<int>(m_keysyms.size()) / m_keysymsPerKeycode;
    for (int column = 0; column < m_keysymsPerKeycode; ++column) {
        for (int key = 0; key < keyCount; ++key) {
            if (m_keysyms[static_cast<std::size_t>(key * m_keysymsPerKeycode + column)] == keysym)
                return static_cast<xcb_keycode_t>(m_minKeycode + key);
        }
    }
    return std::nullopt;
}

std::uint16_t XcbKeyboardMap::modifierMaskFor(std::initializer_list<xcb_keysym_t> keysyms) const
{
    const auto producesAny = [&](xcb_keycode_t keycode) {
        const int key = keycode - m_minKeycode;
        if (keycode == 0 || key < 0 || m_keysymsPerKeycode <= 0)
            return false;
        const auto first = static_cast<std::size_t>(key * m_keysymsPerKeycode);
        if (first + static_cast<std::size_t>(m_keysymsPerKeycode) > m_keysyms.size())
            return false;
        return std::any_of(m_keysyms.begin() + static_cast<std::ptrdiff_t>(first),
            m_keysyms.begin() + static_cast<std::ptrdiff_t>(first) + m_keysymsPerKeycode,
            [&](xcb_keysym_t produced) {
                return std::find(keysyms.begin(), keysyms.end(), produced) != keysyms.end();
            });
    };
    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        for (int slot = 0; slot < m_keycodesPerModifier; ++slot) {
            const auto index = static_cast<std::size_t>(modifier * m_keycodesPerModifier + slot);
            if (index < m_modifierKeycodes.size() && producesAny(m_modifierKeycodes[index]))
                return static_cast<std::uint16_t>(1U << modifier);
        }
    }
    return 0;
}

} // namespace veltrane
