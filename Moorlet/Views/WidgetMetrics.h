#pragma once

#include "Moorlet/Views/OptionalCardRows.h"
#include "VeltraneKit/Geometry/Size.h"

namespace moorlet::WidgetMetrics {

// The collapsed tile, and the expanded card's width (its height is expandedHeight()).
inline constexpr veltrane::Size collapsed { 104, 104 };
inline constexpr veltrane::Size expanded { 272, 600 };
// The room the panel keeps around the tile and the card on each side: the padding on the docked
// edges, and space for the shadow on the others.
inline constexpr double panelMargin = 24;

// The expanded card's height for the rows shown: the rows themselves with their padding
// (CardLayout::requiredHeight), so that the card ends with its last row and keeps its height when
// a session starts or stops (the controls stay where the pointer left them). The panel must be
// sized from it (expandedPanelSize: the card plus panelMargin on every side); a panel sized from
// smaller figures cuts the card off when it is anchored to a top or bottom edge.
double expandedHeight(const OptionalCardRows& rows);
// The same from the controllers and the store as they are now; `media` may be null.
double expandedHeight(const FocusController& controller, const MediaController* media, const LocalDataStore& store);

// The panel around the collapsed tile, and around a card of the given height.
inline constexpr veltrane::Size collapsedPanel { 168, 168 };
veltrane::Size expandedPanelSize(double cardHeight);

} // namespace moorlet::WidgetMetrics
