#include "Moorlet/Views/CelebrationToast.h"

#include "Moorlet/Views/PaintText.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
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
// Where the text does not fit on one line.
const veltrane::TypeStyle kCompactTextStyle { 11, QFont::DemiBold, veltrane::FontDesign::rounded, false };
constexpr double kCompactPaddingX = 10;
constexpr double kCompactPaddingY = 5;
constexpr int kCompactLines = 2;
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

CelebrationToast::Shape CelebrationToast::shape(double maxWidth) const
{
    const QFont font = kTextStyle.font();
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(m_drawnText) + 2 * kPaddingX;
    if (width <= maxWidth)
        return { font, { m_drawnText }, { width, metrics.height() + 2 * kPaddingY } };
    const QFont compact = kCompactTextStyle.font();
    const QFontMetricsF compactMetrics(compact);
    const QStringList lines = wrappedLines(m_drawnText, compact, maxWidth - 2 * kCompactPaddingX, kCompactLines);
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, compactMetrics.horizontalAdvance(line));
    return { compact, lines,
        { widest + 2 * kCompactPaddingX, static_cast<double>(lines.size()) * compactMetrics.height() + 2 * kCompactPaddingY } };
}

QRectF CelebrationToast::capsule(QPointF topCenter, double maxWidth) const
{
    const QSizeF size = shape(maxWidth).size;
    return { topCenter.x() - size.width() / 2, topCenter.y(), size.width(), size.height() };
}

void CelebrationToast::paint(QPainter& painter, QPointF topCenter, double maxWidth, const QColor& accent) const
{
    const double presence = m_presence.value();
    if (presence <= 0 || m_drawnText.isEmpty())
        return;
    const Shape text = shape(maxWidth);
    const QRectF shape(topCenter.x() - text.size.width() / 2, topCenter.y(), text.size.width(), text.size.height());
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
    painter.setPen(veltrane::ColorContrast::contentOn(accent, veltrane::DesignTokens::Contrast::text));
    painter.setFont(text.font);
    painter.drawText(shape, Qt::AlignCenter, text.lines.join(QLatin1Char('\n')));
    painter.restore();
}

} // namespace moorlet
