#include "Moorlet/Insights/ChartShapes.h"

#include <algorithm>

namespace moorlet::ChartShapes {

namespace {

double largest(std::span<const double> values)
{
    return std::max(1.0, *std::max_element(values.begin(), values.end()));
}

double step(std::span<const double> values, const QRectF& rect)
{
    return rect.width() / static_cast<double>(values.size() - 1);
}

void addCurves(QPainterPath& path, std::span<const double> values, const QRectF& rect)
{
    const double half = step(values, rect) / 2;
    for (std::size_t index = 1; index < values.size(); ++index) {
        const QPointF from = point(values, index - 1, rect);
        const QPointF to = point(values, index, rect);
        path.cubicTo(QPointF(from.x() + half, from.y()), QPointF(to.x() - half, to.y()), to);
    }
}

} // namespace

QPointF point(std::span<const double> values, std::size_t index, const QRectF& rect)
{
    const double top = largest(values);
    return { rect.left() + static_cast<double>(index) * step(values, rect),
        rect.bottom() - values[index] / top * (rect.height() - kTopMargin) };
}

QPainterPath line(std::span<const double> values, const QRectF& rect)
{
    QPainterPath path;
    if (values.size() < 2)
        return path;
    path.moveTo(point(values, 0, rect));
    addCurves(path, values, rect);
    return path;
}

QPainterPath area(std::span<const double> values, const QRectF& rect)
{
    QPainterPath path;
    if (values.size() < 2)
        return path;
    path.moveTo(rect.bottomLeft());
    path.lineTo(point(values, 0, rect));
    addCurves(path, values, rect);
    path.lineTo(rect.bottomRight());
    path.closeSubpath();
    return path;
}

} // namespace moorlet::ChartShapes
