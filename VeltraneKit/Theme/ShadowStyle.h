#pragma once

#include <QColor>
#include <QPointF>

namespace veltrane {

// A drop shadow as data: its colour (opacity included), blur radius in points and offset in
// points, y growing downwards as on screen (a positive y drops the shadow below the shape).
struct ShadowStyle {
    QColor color;
    double radius = 0;
    QPointF offset;

    friend bool operator==(const ShadowStyle&, const ShadowStyle&) = default;
};

} // namespace veltrane
