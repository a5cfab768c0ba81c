#pragma once

namespace veltrane {

// A position in points, y growing upwards (origin at the bottom-left of the desktop).
struct Point {
    double x = 0;
    double y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
    friend constexpr Point operator+(Point a, Point b) { return { a.x + b.x, a.y + b.y }; }
    friend constexpr Point operator-(Point a, Point b) { return { a.x - b.x, a.y - b.y }; }
};

} // namespace veltrane
