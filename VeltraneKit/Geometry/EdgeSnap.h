#pragma once

#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/Rect.h"

#include <optional>

namespace veltrane {

// Where a dropped panel comes to rest: snapped to the nearest screen edge when the tile ends
// close enough to it, and in every case kept on screen (at most kEdgeOverhang beyond the visible
// frame).
struct EdgeSnap {
    Point origin;
    // The edge snapped to; nothing when the drop did not snap.
    std::optional<DockSide> side;

    friend bool operator==(const EdgeSnap&, const EdgeSnap&) = default;

    // `frame` is the panel's frame at the drop, `visible` its screen's visible frame (both y-up).
    // Ties between edges go to the first of left, right, bottom, top.
    static EdgeSnap forDrop(const Rect& frame, const Rect& visible, double snapThreshold,
        bool snapEnabled);
};

} // namespace veltrane
