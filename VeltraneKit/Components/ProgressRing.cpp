#include "VeltraneKit/Components/ProgressRing.h"

namespace veltrane {

ProgressRing::ProgressRing(const QColor& tint, double lineWidth, double trackOpacity, QWidget* parent, FrameTicker* ticker)
    : ProgressView(parent, ticker)
    , m_style { 0, tint, lineWidth, trackOpacity }
{
}

void ProgressRing::setTint(const QColor& tint)
{
    if (tint == m_style.tint)
        return;
    m_style.tint = tint;
    update();
}

void ProgressRing::paintProgress(QPainter& painter, const QRectF& frame, double progress) const
{
    ProgressRingPainter ring = m_style;
    ring.progress = progress;
    ring.paint(painter, frame);
}

} // namespace veltrane
