#include "VeltraneKit/Geometry/EdgeSnap.h"

#include "VeltraneKit/Geometry/PanelMetrics.h"

#include <algorithm>
#include <array>

namespace veltrane {

using PanelMetrics::kEdgeOverhang;
using PanelMetrics::kSnapTileInset;

EdgeSnap EdgeSnap::forDrop(const Rect& frame, const Rect& visible, double snapThreshold,
    bool snapEnabled)
{
    EdgeSnap result { frame.origin, std::nullopt };
    const Rect& v = visible;

    if (snapEnabled) {
        struct Distance {
            DockSide side;
            double points;
        };
        const std::array distances {
            Distance { DockSide::left, (frame.minX() + kSnapTileInset) - v.minX() },
            Distance { DockSide::right, v.maxX() - (frame.maxX() - kSnapTileInset) },
            Distance { DockSide::bottom, (frame.minY() + kSnapTileInset) - v.minY() },
            Distance { DockSide::top, v.maxY() - (frame.maxY() - kSnapTileInset) },
        };
        Distance nearest = distances.front();
        for (const Distance& distance : distances) {
            if (distance.points < nearest.points)
                nearest = distance;
        }
        if (nearest.points <= snapThreshold) {
            result.side = nearest.side;
            switch (nearest.side) {
            case DockSide::left:
                result.origin.x = v.minX() - kEdgeOverhang;
                break;
            case DockSide::right:
                result.origin.x = v.maxX() - frame.width() + kEdgeOverhang;
                break;
            case DockSide::bottom:
                result.origin.y = v.minY() - kEdgeOverhang;
                break;
            case DockSide::top:
                result.origin.y = v.maxY() - frame.height() + kEdgeOverhang;
                break;
            }
        }
    }

    // Raised to the lower bound first, then lowered to the upper one: a panel larger than the
    // screen ends at the upper bound.
    result.origin.x = std::min(std::max(result.origin.x, v.minX() - kEdgeOverhang),
        v.maxX() - frame.width() + kEdgeOverhang);
    result.origin.y = std::min(std::max(result.origin.y, v.minY() - kEdgeOverhang),
        v.maxY() - frame.height() + kEdgeOverhang);
    return result;
}

} // namespace veltrane
