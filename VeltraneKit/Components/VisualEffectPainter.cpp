#include "VeltraneKit/Components/VisualEffectPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPainterPath>

#include <algorithm>

namespace veltrane {

void VisualEffectPainter::paint(QPainter& painter, const QRectF& frame) const
{
    paint(painter, frame, QGuiApplication::palette());
}

void VisualEffectPainter::paint(QPainter& painter, const QRectF& frame, const QPalette& palette) const
{
    const double radius = std::clamp(cornerRadius, 0.0, std::min(frame.width(), frame.height()) / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(materialFill(material, palette, state));
    painter.drawRoundedRect(frame, radius, radius);
    painter.restore();
}

} // namespace veltrane
