#include "VeltraneKit/Theme/LinearGradientStyle.h"

namespace veltrane {

QLinearGradient LinearGradientStyle::resolved(const QRectF& rect) const
{
    const auto at = [&rect](QPointF unit) {
        return QPointF(rect.left() + unit.x() * rect.width(), rect.top() + unit.y() * rect.height());
    };
    QLinearGradient gradient(at(start), at(end));
    for (const auto& [position, color] : stops)
        gradient.setColorAt(position, color);
    return gradient;
}

} // namespace veltrane
