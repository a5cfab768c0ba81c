#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// The screen edge the widget's tile is docked to. Stored as its raw value.
enum class DockSide {
    left,   // "left"
    right,  // "right"
    top,    // "top"
    bottom, // "bottom"
};

// Every case, in declaration order.
inline constexpr std::array kAllDockSides {
    DockSide::left,
    DockSide::right,
    DockSide::top,
    DockSide::bottom,
};

// A tile docked to a side edge grows sideways into the screen; one docked to the top or bottom
// grows vertically.
constexpr bool expandsHorizontally(DockSide side)
{
    return side == DockSide::left || side == DockSide::right;
}

// "left", "right", "top" or "bottom".
std::string_view rawValue(DockSide side);

// The case whose raw value is exactly text (case-sensitive), or nothing ("auto" is no side).
std::optional<DockSide> dockSide(std::string_view text);

} // namespace veltrane
