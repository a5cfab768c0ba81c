#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPointF>
#include <QRectF>

#include <utility>
#include <vector>

namespace veltrane {

// A linear gradient as data, independent of any size: colour stops and start and end points in
// unit coordinates of the rectangle it will fill ((0, 0) top-left, (1, 1) bottom-right).
struct LinearGradientStyle {
    std::vector<std::pair<double, QColor>> stops;
    QPointF start { 0, 0 };
    QPointF end { 1, 1 };

    // The gradient laid over `rect`.
    QLinearGradient resolved(const QRectF& rect) const;

    friend bool operator==(const LinearGradientStyle&, const LinearGradientStyle&) = default;
};

} // namespace veltrane
