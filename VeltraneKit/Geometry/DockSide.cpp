#include "VeltraneKit/Geometry/DockSide.h"

#include "VeltraneKit/Geometry/RawValue.h"

namespace veltrane {

std::string_view rawValue(DockSide side)
{
    switch (side) {
    case DockSide::left:
        return "left";
    case DockSide::right:
        return "right";
    case DockSide::top:
        return "top";
    case DockSide::bottom:
        return "bottom";
    }
    return {};
}

std::optional<DockSide> dockSide(std::string_view text)
{
    return caseWithRawValue(kAllDockSides, text);
}

} // namespace veltrane
