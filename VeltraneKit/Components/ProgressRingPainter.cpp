#include "VeltraneKit/Components/ProgressRingPainter.h"

#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QConicalGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

constexpr double kGlowOpacity = 0.6;
constexpr double kGlowRadius = 8;
// Qt measures arcs in sixteenths of a degree, counter-clockwise from three o'clock.
constexpr int kTwelveOClock = 90 * 16;

ShadowStyle glowFor(const QColor& tint)
{
    return { withOpacity(tint, kGlowOpacity), kGlowRadius, { 0, 0 } };
}

QRectF circleIn(const QRectF& frame)
{
    const double side = std::min(frame.width(), frame.height());
    return { frame.center().x() - side / 2, frame.center().y() - side / 2, side, side };
}

} // namespace

double clampedProgress(double progress)
{
    if (std::isnan(progress))
        return 0;
    return std::clamp(progress, 0.0, 1.0);
}

double ProgressRingPainter::overhang() const
{
    return lineWidth / 2 + ShadowPainter::extent(glowFor(tint));
}

void ProgressRingPainter::paint(QPainter& painter, const QRectF& frame) const
{
    const QRectF circle = circleIn(frame);
    if (circle.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(tint, trackOpacity), lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(circle);

    const double fraction = clampedProgress(progress);
    if (fraction > 0) {
        // Clockwise from twelve o'clock the shading runs from half the tint, through the full
        // tint half-way round, to 0.8 of it; Qt's conical gradient runs the other way.
        QConicalGradient shading(circle.center(), 90);
        shading.setColorAt(0, withOpacity(tint, 0.8));
        shading.setColorAt(0.5, tint);
        shading.setColorAt(1, withOpacity(tint, 0.5));
        const int span = -static_cast<int>(std::lround(fraction * 360 * 16));
        const auto stroke = [&](QPainter& target, const QBrush& brush) {
            target.setBrush(Qt::NoBrush);
            target.setPen(QPen(brush, lineWidth, Qt::SolidLine, Qt::RoundCap));
            target.drawArc(circle, kTwelveOClock, span);
        };
        const double reach = lineWidth / 2;
        ShadowPainter::paint(painter, circle.adjusted(-reach, -reach, reach, reach), glowFor(tint),
            [&](QPainter& silhouette) { stroke(silhouette, Qt::black); });
        stroke(painter, shading);
    }
    painter.restore();
}

} // namespace veltrane
