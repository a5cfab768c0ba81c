#pragma once

#include "VeltraneKit/Geometry/Size.h"

// The fixed measures of the floating panel and its docking, in points.
namespace veltrane::PanelMetrics {

// The collapsed panel: the tile with a transparent margin around it.
inline constexpr Size kCollapsedPanelSize { 168, 168 };
// The tile drawn inside the collapsed panel.
inline constexpr auto kTileSide = 104.0;
// The tile sits this far in from each edge it is anchored to.
inline constexpr auto kTileMargin = 24.0;
// How far the panel may hang beyond the visible frame, so the tile (inside the panel's margin)
// can sit close to the screen edge.
inline constexpr auto kEdgeOverhang = 12.0;
// Snapping measures distances from the tile's edges, taken to lie this far inside the panel.
inline constexpr auto kSnapTileInset = 32.0;
// The largest distance from an edge that still snaps.
inline constexpr auto kSnapThreshold = 24.0;
// A press becomes a drag once the pointer has moved strictly farther than this.
inline constexpr auto kDragThreshold = 4.0;
// The fraction of the screen's width or height near an edge in which an expanding card grows
// away from that edge.
inline constexpr auto kAnchorEdgeZone = 0.34;
// Seconds between a collapse request and the panel shrinking, so the card's collapse animation
// plays inside the expanded panel.
inline constexpr auto kShrinkDelay = 0.45;

} // namespace veltrane::PanelMetrics
