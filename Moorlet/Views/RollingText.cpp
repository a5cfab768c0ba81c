#include "Moorlet/Views/RollingText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace moorlet {

namespace {

// How far a rolling line travels, as a share of its font's height.
constexpr double kTravelPerHeight = 0.6;
// Less than this much movement (in points) is not worth a frame.
constexpr double kSmallestVisibleMove = 1.0 / 3;

} // namespace

const veltrane::Animation& RollingText::digitRoll()
{
    static const veltrane::Animation roll = veltrane::Animation::spring(0.2, 0.85).atFrameRate(30);
    return roll;
}

RollingText::RollingText(veltrane::FrameTicker& ticker, Style style, Entry entry)
    : m_style(style)
    , m_entry(entry)
    , m_progress(ticker, 1.0)
{
}

void RollingText::setText(const QString& text, const std::optional<veltrane::Animation>& animation)
{
    if (text == m_text)
        return;
    m_previous = m_text;
    m_text = text;
    if (animation && !m_previous.isEmpty())
        m_progress.start(0.0, 1.0, *animation);
    else
        m_progress.jumpTo(1.0);
}

void RollingText::settleFor(const QFont& font)
{
    const double travel = QFontMetricsF(font).height() * kTravelPerHeight;
    if (travel > 0)
        m_progress.setResolution(kSmallestVisibleMove / travel);
}

double RollingText::cachedFittingScale(const QString& text, const QFont& font, double width, double minimumScale) const
{
    for (const Fit& fit : m_fits) {
        if (fit.width == width && fit.minimumScale == minimumScale && fit.text == text && fit.font == font)
            return fit.scale;
    }
    Fit& fit = m_fits[m_nextFit];
    m_nextFit = (m_nextFit + 1) % m_fits.size();
    fit = Fit { text, font, width, minimumScale, fittingScale(text, font, width, minimumScale) };
    return fit.scale;
}

std::optional<QString> RollingText::outgoingText() const
{
    if (!isRolling())
        return std::nullopt;
    return m_previous;
}

QRectF RollingText::paintArea(const QRectF& box, const QFont& font)
{
    // Lines are centred on the box and travel up to kTravelPerHeight of the font's height either
    // way; glyphs may overhang their advance a little on the sides.
    constexpr double kMargin = 2;
    const double height = QFontMetricsF(font).height();
    const double halfHeight = std::max(box.height(), height) / 2 + height * kTravelPerHeight + kMargin;
    const double side = height / 4 + kMargin;
    return QRectF(box.left() - side, box.center().y() - halfHeight, box.width() + 2 * side, 2 * halfHeight);
}

double RollingText::fittingScale(const QString& text, const QFont& font, double width, double minimumScale)
{
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural <= width || natural <= 0)
        return 1.0;
    return std::max(minimumScale, width / natural);
}

void RollingText::paint(QPainter& painter, const QRectF& box, const QFont& font, const QColor& color,
    Qt::Alignment alignment, double minimumScale) const
{
    const double progress = std::clamp(m_progress.value(), 0.0, 1.0);
    const bool rolling = isRolling() && progress < 1.0;
    double scale = cachedFittingScale(m_text, font, box.width(), minimumScale);
    if (rolling)
        scale = std::min(scale, cachedFittingScale(m_previous, font, box.width(), minimumScale));

    painter.save();
    painter.setPen(color);
    if (!rolling) {
        paintLine(painter, box, font, m_text, scale, alignment, 0);
        painter.restore();
        return;
    }

    const double travel = QFontMetricsF(font).height() * kTravelPerHeight * scale;
    const double sign = m_entry == Entry::fromAbove ? -1.0 : 1.0;
    const double incomingOffset = sign * travel * (1 - progress);
    const double outgoingOffset = -sign * travel * progress;
    const double opacity = painter.opacity();

    if (m_style == Style::digits && m_previous.size() == m_text.size()) {
        // Unchanged characters stay; the changed ones roll. Every character is placed by the new
        // text's layout, so the steady ones do not move.
        const QFontMetricsF metrics(font);
        const QPointF origin = lineOrigin(m_text, font, box, alignment, scale);
        const auto drawCharacter = [&](qsizetype index, QChar character, double offsetY, double alpha) {
            painter.save();
            painter.setOpacity(opacity * alpha);
            painter.translate(origin.x() + metrics.horizontalAdvance(m_text.left(index)) * scale, origin.y() + offsetY);
            painter.scale(scale, scale);
            painter.setFont(font);
            painter.drawText(QPointF(0, 0), QString(character));
            painter.restore();
        };
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            if (m_text[i] == m_previous[i]) {
                drawCharacter(i, m_text[i], 0, 1);
            } else {
                drawCharacter(i, m_previous[i], outgoingOffset, 1 - progress);
                drawCharacter(i, m_text[i], incomingOffset, progress);
            }
        }
    } else {
        painter.setOpacity(opacity * (1 - progress));
        paintLine(painter, box, font, m_previous, scale, alignment, outgoingOffset);
        painter.setOpacity(opacity * progress);
        paintLine(painter, box, font, m_text, scale, alignment, incomingOffset);
    }
    painter.restore();
}

QPointF RollingText::lineOrigin(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment alignment,
    double scale)
{
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text) * scale;
    double x = box.left();
    if (alignment & Qt::AlignHCenter)
        x = box.center().x() - width / 2;
    else if (alignment & Qt::AlignRight)
        x = box.right() - width;
    return { x, box.center().y() + (metrics.ascent() - metrics.descent()) * scale / 2 };
}

void RollingText::paintLine(QPainter& painter, const QRectF& box, const QFont& font, const QString& text,
    double scale, Qt::Alignment alignment, double offsetY) const
{
    if (text.isEmpty())
        return;
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width() / scale);
    const QPointF origin = lineOrigin(shown, font, box, alignment, scale);
    painter.save();
    painter.translate(origin.x(), origin.y() + offsetY);
    painter.scale(scale, scale);
    painter.setFont(font);
    painter.drawText(QPointF(0, 0), shown);
    painter.restore();
}

} // namespace moorlet
