#pragma once

#include <cstdint>
#include <optional>

namespace veltrane::carbon {

// The key codes and modifier masks that name a hot key. They are the long-standing Carbon
// values (virtual key codes of the ANSI layout, modifier bits 256…4096) so that a stored hot key
// means the same key on every platform; each platform translates them to its own keys.

inline constexpr std::uint32_t kModifierCommand = 256;
inline constexpr std::uint32_t kModifierShift = 512;
inline constexpr std::uint32_t kModifierOption = 2048;
inline constexpr std::uint32_t kModifierControl = 4096;

inline constexpr std::uint32_t kKeyA = 0x00;
inline constexpr std::uint32_t kKeyS = 0x01;
inline constexpr std::uint32_t kKeyD = 0x02;
inline constexpr std::uint32_t kKeyF = 0x03;
inline constexpr std::uint32_t kKeyP = 0x23;
inline constexpr std::uint32_t kKey1 = 0x12;
inline constexpr std::uint32_t kKey0 = 0x1D;
inline constexpr std::uint32_t kKeyReturn = 0x24;
inline constexpr std::uint32_t kKeyTab = 0x30;
inline constexpr std::uint32_t kKeySpace = 0x31;
inline constexpr std::uint32_t kKeyEscape = 0x35;
inline constexpr std::uint32_t kKeyF1 = 0x7A;
inline constexpr std::uint32_t kKeyF5 = 0x60;
inline constexpr std::uint32_t kKeyF12 = 0x6F;
inline constexpr std::uint32_t kKeyLeftArrow = 0x7B;
inline constexpr std::uint32_t kKeyRightArrow = 0x7C;
inline constexpr std::uint32_t kKeyDownArrow = 0x7D;
inline constexpr std::uint32_t kKeyUpArrow = 0x7E;

// The X keysym of the key a Carbon key code names: letters, digits and punctuation of the ANSI
// layout, space, return, tab, escape, the delete keys, the function keys F1–F20, the arrows,
// the navigation keys and the keypad. Letters give their lower-case keysym, which is the one on
// the key itself. None for a code that names no such key (modifier keys, media keys, unknowns).
std::optional<std::uint32_t> xKeysymFor(std::uint32_t carbonKeyCode);

// Which modifiers a Carbon mask holds. Bits other than the four modifiers (Caps Lock and the
// side-specific bits) are ignored: a hot key never depends on them.
struct ModifierKeys {
    bool command = false;
    bool shift = false;
    bool option = false;
    bool control = false;

    static ModifierKeys fromMask(std::uint32_t carbonModifiers);
    bool operator==(const ModifierKeys&) const = default;
};

} // namespace veltrane::carbon
