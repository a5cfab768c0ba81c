#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// The light or dark appearance the user chose. Stored as its raw value.
enum class AppearancePreference {
    system, // "system": follow the desktop's colour scheme
    light,  // "light"
    dark,   // "dark"
};

// Every case, in declaration order (the order a picker lists them).
inline constexpr std::array kAllAppearancePreferences {
    AppearancePreference::system,
    AppearancePreference::light,
    AppearancePreference::dark,
};

// "system", "light" or "dark".
std::string_view rawValue(AppearancePreference preference);

// The case whose raw value is exactly text (case-sensitive), or nothing.
std::optional<AppearancePreference> appearancePreference(std::string_view text);

} // namespace veltrane
