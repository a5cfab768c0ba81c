#include "VeltraneKit/Components/ProgressView.h"

#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Components/SharedFrameTicker.h"

#include <QPainter>

namespace veltrane {

ProgressView::ProgressView(QWidget* parent, FrameTicker* ticker)
    : QWidget(parent)
    , m_progress(ticker ? *ticker : sharedFrameTicker(), 0.0)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_progress.onFrame = [this] { update(); };
}

void ProgressView::setProgress(double progress, const std::optional<Animation>& animation)
{
    const double target = clampedProgress(progress);
    if (target == m_progress.target())
        return;
    m_progress.start(target, animation);
    update();
}

QRectF ProgressView::frameRect() const
{
    const double margin = overhang();
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

void ProgressView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintProgress(painter, frameRect(), m_progress.value());
}

} // namespace veltrane
