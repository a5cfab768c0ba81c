#include "VeltraneKit/Components/ProgressRing.h"

namespace veltrane {

ProgressRing::ProgressRing(const QColor& tint, double lineWidth, double trackOpacity, QWidget* parent, FrameTicker* ticker)
    : PaintedProgressView(ProgressRingPainter { 0, tint, lineWidth, trackOpacity }, parent, ticker)
{
}

} // namespace veltrane
