#include "VeltraneKit/Geometry/WidgetPlacement.h"

#include "VeltraneKit/Geometry/PanelMetrics.h"

#include <algorithm>
#include <array>

namespace veltrane::WidgetPlacement {

using PanelMetrics::kEdgeOverhang;
using PanelMetrics::kTileMargin;
using PanelMetrics::kTileSide;
using Horizontal = WidgetAnchor::Horizontal;
using Vertical = WidgetAnchor::Vertical;

namespace {

bool fits(Horizontal horizontal, const Rect& tile, Size size, const Rect& visible)
{
    switch (horizontal) {
    case Horizontal::leading:
        return tile.minX() + size.width <= visible.maxX() + kEdgeOverhang;
    case Horizontal::trailing:
        return tile.maxX() - size.width >= visible.minX() - kEdgeOverhang;
    case Horizontal::center:
        return tile.midX() - size.width / 2 >= visible.minX() - kEdgeOverhang
            && tile.midX() + size.width / 2 <= visible.maxX() + kEdgeOverhang;
    }
    return false;
}

bool fits(Vertical vertical, const Rect& tile, Size size, const Rect& visible)
{
    switch (vertical) {
    case Vertical::top:
        return tile.maxY() - size.height >= visible.minY() - kEdgeOverhang;
    case Vertical::bottom:
        return tile.minY() + size.height <= visible.maxY() + kEdgeOverhang;
    case Vertical::center:
        return tile.midY() - size.height / 2 >= visible.minY() - kEdgeOverhang
            && tile.midY() + size.height / 2 <= visible.maxY() + kEdgeOverhang;
    }
    return false;
}

template<typename Axis, std::size_t N>
Axis firstFitting(const std::array<Axis, N>& order, Axis fallback, const Rect& tile, Size size,
    const Rect& visible)
{
    for (Axis axis : order) {
        if (fits(axis, tile, size, visible))
            return axis;
    }
    return fallback;
}

// The origin of a rectangle of `size` inside `area`, flush with its `side` edge and centred along
// it.
Point originOnEdge(const Rect& area, DockSide side, Size size)
{
    switch (side) {
    case DockSide::left:
        return { area.minX(), area.midY() - size.height / 2 };
    case DockSide::right:
        return { area.maxX() - size.width, area.midY() - size.height / 2 };
    case DockSide::top:
        return { area.midX() - size.width / 2, area.maxY() - size.height };
    case DockSide::bottom:
        return { area.midX() - size.width / 2, area.minY() };
    }
    return area.origin;
}

} // namespace

Point initialOrigin(Size size, DockSide side, std::optional<Point> savedOrigin,
    std::optional<Rect> mainVisibleFrame)
{
    if (!mainVisibleFrame)
        return {};
    const Rect& v = *mainVisibleFrame;

    if (savedOrigin) {
        return {
            std::min(std::max(v.minX(), savedOrigin->x), std::max(v.minX(), v.maxX() - size.width)),
            std::min(std::max(v.minY(), savedOrigin->y), std::max(v.minY(), v.maxY() - size.height)),
        };
    }

    return originOnEdge(v, side, size);
}

Point tileOffset(WidgetAnchor anchor, Size collapsedSize)
{
    Point offset;
    switch (anchor.horizontal) {
    case Horizontal::leading:
        offset.x = kTileMargin;
        break;
    case Horizontal::center:
        offset.x = (collapsedSize.width - kTileSide) / 2;
        break;
    case Horizontal::trailing:
        offset.x = collapsedSize.width - kTileSide - kTileMargin;
        break;
    }
    switch (anchor.vertical) {
    case Vertical::top:
        offset.y = collapsedSize.height - kTileSide - kTileMargin;
        break;
    case Vertical::center:
        offset.y = (collapsedSize.height - kTileSide) / 2;
        break;
    case Vertical::bottom:
        offset.y = kTileMargin;
        break;
    }
    return offset;
}

WidgetAnchor fittingAnchor(const Rect& tile, Size size, const Rect& visible)
{
    WidgetAnchor smart = WidgetAnchor::smart(tile, visible, PanelMetrics::kAnchorEdgeZone);
    const std::array horizontalOrder { smart.horizontal, Horizontal::trailing, Horizontal::leading,
        Horizontal::center };
    // A card prefers hanging down from the tile, then growing up, then the smart choice.
    const std::array verticalOrder { Vertical::top, Vertical::bottom, smart.vertical };
    return {
        firstFitting(horizontalOrder, smart.horizontal, tile, size, visible),
        firstFitting(verticalOrder, smart.vertical, tile, size, visible),
    };
}

Point desiredOrigin(const Rect& frame, Size size, WidgetAnchor anchor)
{
    Point origin;
    switch (anchor.horizontal) {
    case Horizontal::leading:
        origin.x = frame.minX();
        break;
    case Horizontal::center:
        origin.x = frame.midX() - size.width / 2;
        break;
    case Horizontal::trailing:
        origin.x = frame.maxX() - size.width;
        break;
    }
    switch (anchor.vertical) {
    case Vertical::top:
        origin.y = frame.maxY() - size.height;
        break;
    case Vertical::center:
        origin.y = frame.midY() - size.height / 2;
        break;
    case Vertical::bottom:
        origin.y = frame.minY();
        break;
    }
    return origin;
}

Point clampedOrigin(Point desired, Size size, const Rect& visible)
{
    Point lower { visible.minX() - kEdgeOverhang, visible.minY() - kEdgeOverhang };
    Point upper { visible.maxX() + kEdgeOverhang - size.width,
        visible.maxY() + kEdgeOverhang - size.height };
    return {
        std::min(std::max(desired.x, lower.x), std::max(lower.x, upper.x)),
        std::min(std::max(desired.y, lower.y), std::max(lower.y, upper.y)),
    };
}

Point collapsedOrigin(const Rect& expandedFrame, DockSide side, Size collapsedSize)
{
    return originOnEdge(expandedFrame, side, collapsedSize);
}

} // namespace veltrane::WidgetPlacement
