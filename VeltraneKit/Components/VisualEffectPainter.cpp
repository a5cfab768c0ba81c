#include "VeltraneKit/Components/VisualEffectPainter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace veltrane {

void VisualEffectPainter::paint(QPainter& painter, const QRectF& frame) const
{
    const double radius = std::clamp(cornerRadius, 0.0, std::min(frame.width(), frame.height()) / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(materialFill(material, state));
    painter.drawRoundedRect(frame, radius, radius);
    painter.restore();
}

} // namespace veltrane
