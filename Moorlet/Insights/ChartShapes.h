#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <span>

namespace moorlet {

// A smooth curve through a series of values spread evenly across a rectangle: each value's point
// sits at height value / largest (the largest at least 1) below a 6-point margin at the top, and
// neighbouring points are joined by cubic segments whose tangents are horizontal at every point,
// so the curve never overshoots a peak. Fewer than two values draw nothing.
namespace ChartShapes {

    inline constexpr double kTopMargin = 6;

    // Point `index` of the series in `rect`.
    QPointF point(std::span<const double> values, std::size_t index, const QRectF& rect);
    // The curve alone, for stroking.
    QPainterPath line(std::span<const double> values, const QRectF& rect);
    // The curve closed along the bottom edge, for filling.
    QPainterPath area(std::span<const double> values, const QRectF& rect);

} // namespace ChartShapes

} // namespace moorlet
