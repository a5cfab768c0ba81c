#pragma once

#include "VeltraneKit/Geometry/Rect.h"

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// From which edge or corner of the collapsed tile the expanded card grows, so that the card grows
// away from the nearest screen edges. The widget views align the card inside the panel by it.
struct WidgetAnchor {
    enum class Horizontal {
        leading,  // "leading": grows rightwards from the tile's left edge
        center,   // "center"
        trailing, // "trailing": grows leftwards from the tile's right edge
    };
    enum class Vertical {
        top,    // "top": hangs down from the tile's top edge
        center, // "center"
        bottom, // "bottom": grows upwards from the tile's bottom edge
    };

    Horizontal horizontal = Horizontal::trailing;
    Vertical vertical = Vertical::center;

    friend constexpr bool operator==(const WidgetAnchor&, const WidgetAnchor&) = default;

    // The anchor for a tile by where its centre lies on the visible frame (both y-up): within
    // `edgeZone` (a fraction of the width or height) of an edge it anchors to that edge, otherwise
    // to the centre. A visible frame without area gives (trailing, center).
    static WidgetAnchor smart(const Rect& tile, const Rect& visible, double edgeZone);
};

inline constexpr std::array kAllAnchorHorizontals {
    WidgetAnchor::Horizontal::leading,
    WidgetAnchor::Horizontal::center,
    WidgetAnchor::Horizontal::trailing,
};

inline constexpr std::array kAllAnchorVerticals {
    WidgetAnchor::Vertical::top,
    WidgetAnchor::Vertical::center,
    WidgetAnchor::Vertical::bottom,
};

std::string_view rawValue(WidgetAnchor::Horizontal horizontal);
std::string_view rawValue(WidgetAnchor::Vertical vertical);

// The case whose raw value is exactly text, or nothing.
std::optional<WidgetAnchor::Horizontal> anchorHorizontal(std::string_view text);
std::optional<WidgetAnchor::Vertical> anchorVertical(std::string_view text);

} // namespace veltrane
