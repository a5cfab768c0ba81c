#include "VeltraneKit/Components/ProgressArc.h"

namespace veltrane {

ProgressArc::ProgressArc(const QColor& tint, double lineWidth, QWidget* parent, FrameTicker* ticker)
    : PaintedProgressView(ProgressArcPainter { 0, tint, lineWidth }, parent, ticker)
{
}

} // namespace veltrane
