#pragma once

#include "VeltraneKit/Geometry/Point.h"
#include "VeltraneKit/Geometry/Size.h"

#include <algorithm>

namespace veltrane {

// A rectangle in y-up screen coordinates: `origin` is its bottom-left corner.
struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point origin, Size size)
        : origin(origin)
        , size(size)
    {
    }
    constexpr Rect(double x, double y, double width, double height)
        : origin { x, y }
        , size { width, height }
    {
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;

    constexpr double width() const { return size.width; }
    constexpr double height() const { return size.height; }
    constexpr double minX() const { return origin.x; }
    constexpr double midX() const { return origin.x + size.width / 2; }
    constexpr double maxX() const { return origin.x + size.width; }
    constexpr double minY() const { return origin.y; }
    constexpr double midY() const { return origin.y + size.height / 2; }
    constexpr double maxY() const { return origin.y + size.height; }

    constexpr bool isEmpty() const { return size.width <= 0 || size.height <= 0; }

    // The area this rectangle shares with `other`; zero when they do not overlap.
    constexpr double overlapArea(const Rect& other) const
    {
        double w = std::min(maxX(), other.maxX()) - std::max(minX(), other.minX());
        double h = std::min(maxY(), other.maxY()) - std::max(minY(), other.minY());
        return w > 0 && h > 0 ? w * h : 0;
    }
};

} // namespace veltrane
