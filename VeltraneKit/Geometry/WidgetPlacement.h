#pragma once

#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/Rect.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"

#include <optional>

// The widget coordinator's placement arithmetic: where the collapsed panel first shows, how the
// panel grows from the tile when it expands, how it is kept on screen and where it collapses
// back to. Everything is in y-up screen coordinates.
namespace veltrane::WidgetPlacement {

// Where a panel of `size` first shows. A saved origin is kept as long as the panel fits and is
// otherwise pulled inside the visible frame; without one the panel is centred on the docked edge,
// flush with the visible frame. Without a screen the origin is (0, 0).
Point initialOrigin(Size size, DockSide side, std::optional<Point> savedOrigin,
    std::optional<Rect> mainVisibleFrame);

// Where the tile sits inside a collapsed panel of `collapsedSize` for an anchor: kTileMargin in
// from each anchored edge, centred on a `center` axis (y-up, from the panel's bottom-left).
Point tileOffset(WidgetAnchor anchor, Size collapsedSize);

// The anchor an expansion from `tile` to `size` grows from: the smart anchor where the card fits
// that way (with kEdgeOverhang of tolerance beyond `visible`), otherwise the first direction that
// fits, otherwise the smart anchor anyway.
WidgetAnchor fittingAnchor(const Rect& tile, Size size, const Rect& visible);

// The origin of a panel of `size` that grows from `frame` away from the anchored edges.
Point desiredOrigin(const Rect& frame, Size size, WidgetAnchor anchor);

// `desired` kept within kEdgeOverhang of `visible`. When the panel is larger than the screen the
// lower bound wins, so the card's top-left part stays reachable.
Point clampedOrigin(Point desired, Size size, const Rect& visible);

// Where the collapsed panel belongs after the expanded card was dropped at `expandedFrame`: on
// the card's edge that faces the docked side, centred along it.
Point collapsedOrigin(const Rect& expandedFrame, DockSide side, Size collapsedSize);

} // namespace veltrane::WidgetPlacement
