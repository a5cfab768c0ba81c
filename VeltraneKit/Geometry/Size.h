#pragma once

#include <cmath>

namespace veltrane {

// A width and height in points.
struct Size {
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(const Size&, const Size&) = default;

    // Both dimensions within `tolerance` of the other size's. Window sizes come back from the
    // window system rounded, so "the panel is at its collapsed size" is asked with a tolerance.
    bool isClose(Size other, double tolerance = 1) const
    {
        return std::abs(width - other.width) <= tolerance && std::abs(height - other.height) <= tolerance;
    }
};

} // namespace veltrane
