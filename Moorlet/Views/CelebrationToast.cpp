#include "Moorlet/Views/CelebrationToast.h"

#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace moorlet {

namespace {

using veltrane::Animation;

const Animation kEnter = Animation::spring(0.4, 0.7);
const Animation kLeave = Animation::easeOut(0.3);
const veltrane::TypeStyle kTextStyle { 13, QFont::DemiBold, veltrane::FontDesign::rounded, false };
constexpr double kPaddingX = 16;
constexpr double kPaddingY = 8;
constexpr double kHiddenScale = 0.8;
const veltrane::ShadowStyle kShadow { veltrane::withOpacity(Qt::black, 0.18), 10, { 0, 4 } };

} // namespace

CelebrationToast::CelebrationToast(veltrane::FrameTicker& ticker)
    : m_presence(ticker, 0.0)
{
}

void CelebrationToast::show(const QString& text, bool reduceMotion)
{
    m_text = text;
    m_drawnText = text;
    m_reduceMotion = reduceMotion;
    m_presence.start(1.0, veltrane::Motion::adaptive(kEnter, reduceMotion));
}

void CelebrationToast::hide(bool reduceMotion)
{
    if (!m_text)
        return;
    m_text.reset();
    m_reduceMotion = reduceMotion;
    m_presence.start(0.0, veltrane::Motion::adaptive(kLeave, reduceMotion));
}

QRectF CelebrationToast::capsule(QPointF topCenter) const
{
    const QFontMetricsF metrics(kTextStyle.font());
    const double width = metrics.horizontalAdvance(m_drawnText) + 2 * kPaddingX;
    const double height = metrics.height() + 2 * kPaddingY;
    return { topCenter.x() - width / 2, topCenter.y(), width, height };
}

void CelebrationToast::paint(QPainter& painter, QPointF topCenter, const QColor& accent) const
{
    const double presence = m_presence.value();
    if (presence <= 0 || m_drawnText.isEmpty())
        return;
    const QRectF shape = capsule(topCenter);
    const double scale = m_reduceMotion ? 1.0 : kHiddenScale + (1 - kHiddenScale) * presence;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(painter.opacity() * std::clamp(presence, 0.0, 1.0));
    painter.translate(shape.center());
    painter.scale(scale, scale);
    painter.translate(-shape.center());
    const double radius = shape.height() / 2;
    veltrane::ShadowPainter::paint(painter, shape, kShadow, [&](QPainter& silhouette) {
        silhouette.setPen(Qt::NoPen);
        silhouette.setBrush(Qt::black);
        silhouette.drawRoundedRect(shape, radius, radius);
    });
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(shape, radius, radius);
    painter.setPen(Qt::white);
    painter.setFont(kTextStyle.font());
    painter.drawText(shape, Qt::AlignCenter, m_drawnText);
    painter.restore();
}

} // namespace moorlet
