#include "Moorlet/Views/StaggeredReveal.h"

#include "VeltraneKit/Motion/Motion.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

const veltrane::Animation kRevealSpring = veltrane::Animation::spring(0.5, 0.9);
const veltrane::Animation kReducedReveal = veltrane::Animation::easeOut(0.1);
// Below this a blur is invisible and the row is drawn directly.
constexpr double kSmallestVisibleBlur = 0.1;

} // namespace

StaggeredReveal::StaggeredReveal(veltrane::FrameTicker& ticker)
    : m_progress(ticker, 0.0)
{
}

void StaggeredReveal::setRevealed(bool revealed, int index, bool reduceMotion)
{
    if (!revealed) {
        m_progress.jumpTo(0.0);
        return;
    }
    if (m_progress.target() >= 1.0)
        return;
    m_progress.start(1.0,
        reduceMotion ? kReducedReveal : kRevealSpring.delayed(veltrane::Motion::rowDelay(index)));
}

double StaggeredReveal::opacity() const
{
    return std::clamp(progress(), 0.0, 1.0);
}

double StaggeredReveal::offset(bool reduceMotion) const
{
    return reduceMotion ? 0.0 : veltrane::Motion::rowOffset * (1 - progress());
}

double StaggeredReveal::blur(bool reduceMotion) const
{
    return reduceMotion ? 0.0 : std::max(0.0, kHiddenBlur * (1 - progress()));
}

void StaggeredReveal::paint(QPainter& painter, const QRectF& rowRect, double bleed, bool reduceMotion,
    const std::function<void(QPainter&)>& draw) const
{
    const double alpha = opacity();
    if (alpha <= 0)
        return;
    painter.save();
    painter.setOpacity(painter.opacity() * alpha);
    painter.translate(0, offset(reduceMotion));
    const double radius = blur(reduceMotion);
    if (radius < kSmallestVisibleBlur) {
        draw(painter);
        painter.restore();
        return;
    }

    // A slight blur: the row drawn small and scaled back up with smoothing.
    const QRectF area = rowRect.adjusted(-bleed, -bleed, bleed, bleed);
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double shrink = 1.0 / (1.0 + radius * ratio);
    const int width = std::max(1, static_cast<int>(std::ceil(area.width() * ratio * shrink)));
    const int height = std::max(1, static_cast<int>(std::ceil(area.height() * ratio * shrink)));
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter offscreen(&image);
        offscreen.setRenderHint(QPainter::Antialiasing);
        offscreen.scale(width / area.width(), height / area.height());
        offscreen.translate(-area.topLeft());
        draw(offscreen);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, image);
    painter.restore();
}

} // namespace moorlet
