#include "VeltraneKit/Components/ProgressArcPainter.h"

#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

constexpr double kTrackOpacity = 0.15;
// The ring starts 111.6 degrees clockwise from three o'clock, so that the gap left by the
// remaining 12 % of the circle is centred on six o'clock.
constexpr double kStartDegreesClockwise = 111.6;

} // namespace

void ProgressArcPainter::paint(QPainter& painter, const QRectF& frame) const
{
    const double side = std::min(frame.width(), frame.height());
    if (side <= 0)
        return;
    const QRectF circle(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
    const int start = -static_cast<int>(std::lround(kStartDegreesClockwise * 16));
    const auto sweep = [](double fraction) { return -static_cast<int>(std::lround(fraction * 360 * 16)); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(tint, kTrackOpacity), lineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(circle, start, sweep(kOpenFraction));
    const double fraction = clampedProgress(progress);
    if (fraction > 0) {
        painter.setPen(QPen(tint, lineWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(circle, start, sweep(kOpenFraction * fraction));
    }
    painter.restore();
}

} // namespace veltrane
