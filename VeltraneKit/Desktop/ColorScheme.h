#pragma once

namespace veltrane {

// The desktop's colour-scheme preference. The order and values are those of the XDG
// "org.freedesktop.appearance" "color-scheme" setting.
enum class ColorScheme {
    NoPreference = 0,
    Dark = 1,
    Light = 2,
};

} // namespace veltrane
