#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// How the widget is presented. Nothing builds it from a stored value: the "widgetMode" setting
// holds a dock side's name instead.
enum class WidgetMode {
    floating, // "floating"
    menuBar,  // "menuBar"
};

// Every case, in declaration order.
inline constexpr std::array kAllWidgetModes {
    WidgetMode::floating,
    WidgetMode::menuBar,
};

// "floating" or "menuBar".
std::string_view rawValue(WidgetMode mode);

// The case whose raw value is exactly text (case-sensitive), or nothing.
std::optional<WidgetMode> widgetMode(std::string_view text);

} // namespace veltrane
