#include "VeltraneKit/Components/StateDotPainter.h"

#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QPainter>

namespace veltrane {

namespace {

constexpr double kGlowOpacity = 0.8;
constexpr double kRestingGlow = 3;
constexpr double kPulsingGlow = 6;

ShadowStyle glowFor(const QColor& color, double pulse)
{
    return { withOpacity(color, kGlowOpacity), kRestingGlow + (kPulsingGlow - kRestingGlow) * pulse, { 0, 0 } };
}

} // namespace

double StateDotPainter::overhang() const
{
    return diameter * (Motion::pulseScale - 1) / 2 + ShadowPainter::extent(glowFor(color, 1)) + 1;
}

void StateDotPainter::paint(QPainter& painter, const QRectF& frame) const
{
    const double scale = 1 + (Motion::pulseScale - 1) * pulse;
    const double side = diameter * scale;
    const QRectF dot(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    ShadowPainter::paint(painter, dot, glowFor(color, pulse), [&dot](QPainter& silhouette) {
        silhouette.setPen(Qt::NoPen);
        silhouette.setBrush(Qt::black);
        silhouette.drawEllipse(dot);
    });
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(dot);
    painter.restore();
}

} // namespace veltrane
