#include "VeltraneKit/Geometry/WidgetAnchor.h"

#include "VeltraneKit/Geometry/RawValue.h"

namespace veltrane {

WidgetAnchor WidgetAnchor::smart(const Rect& tile, const Rect& visible, double edgeZone)
{
    if (visible.isEmpty())
        return {};

    double fx = (tile.midX() - visible.minX()) / visible.width();
    double fy = (tile.midY() - visible.minY()) / visible.height();

    WidgetAnchor anchor;
    if (fx <= edgeZone)
        anchor.horizontal = Horizontal::leading;
    else if (fx >= 1 - edgeZone)
        anchor.horizontal = Horizontal::trailing;
    else
        anchor.horizontal = Horizontal::center;

    if (fy >= 1 - edgeZone)
        anchor.vertical = Vertical::top;
    else if (fy <= edgeZone)
        anchor.vertical = Vertical::bottom;
    else
        anchor.vertical = Vertical::center;
    return anchor;
}

std::string_view rawValue(WidgetAnchor::Horizontal horizontal)
{
    switch (horizontal) {
    case WidgetAnchor::Horizontal::leading:
        return "leading";
    case WidgetAnchor::Horizontal::center:
        return "center";
    case WidgetAnchor::Horizontal::trailing:
        return "trailing";
    }
    return {};
}

std::string_view rawValue(WidgetAnchor::Vertical vertical)
{
    switch (vertical) {
    case WidgetAnchor::Vertical::top:
        return "top";
    case WidgetAnchor::Vertical::center:
        return "center";
    case WidgetAnchor::Vertical::bottom:
        return "bottom";
    }
    return {};
}

std::optional<WidgetAnchor::Horizontal> anchorHorizontal(std::string_view text)
{
    return caseWithRawValue(kAllAnchorHorizontals, text);
}

std::optional<WidgetAnchor::Vertical> anchorVertical(std::string_view text)
{
    return caseWithRawValue(kAllAnchorVerticals, text);
}

} // namespace veltrane
