#include "VeltraneKit/Components/ProgressArc.h"

namespace veltrane {

ProgressArc::ProgressArc(const QColor& tint, double lineWidth, QWidget* parent, FrameTicker* ticker)
    : ProgressView(parent, ticker)
    , m_style { 0, tint, lineWidth }
{
}

void ProgressArc::setTint(const QColor& tint)
{
    if (tint == m_style.tint)
        return;
    m_style.tint = tint;
    update();
}

void ProgressArc::paintProgress(QPainter& painter, const QRectF& frame, double progress) const
{
    ProgressArcPainter arc = m_style;
    arc.progress = progress;
    arc.paint(painter, frame);
}

} // namespace veltrane
