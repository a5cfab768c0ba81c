#include "Moorlet/Recap/FocusRecapPhotoCard.h"

#include "Moorlet/Views/MoorletLogo.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::withOpacity;
using veltrane::FontDesign;
using veltrane::TypeStyle;

// Everything sits inside this margin of the canvas.
constexpr double kMargin = 40;
constexpr double kLogoSize = 34;
constexpr double kLogoTop = 44;
constexpr double kFigureBaseline = 640;
constexpr double kCaptionGap = 40;
constexpr QRectF kStatsPanel { kMargin, 720, 600 - 2 * kMargin, 118 };
constexpr QRectF kBarsPanel { kMargin, 862, 600 - 2 * kMargin, 160 };
constexpr double kPanelRadius = 26;
constexpr double kRuleHeight = 38;
constexpr double kBarWidth = 22;
constexpr double kBarMinimum = 6;
constexpr double kLetterHeight = 22;
constexpr double kPanelPadding = 20;

const QColor kWhite = Qt::white;

QFont font(double size, QFont::Weight weight, bool monospacedDigits = false)
{
    return TypeStyle { size, weight, FontDesign::rounded, monospacedDigits }.font();
}

} // namespace

FocusRecapPhotoCard::FocusRecapPhotoCard(RecapData data, QImage photo, double zoom, QPointF offset)
    : m_data(std::move(data))
    , m_photo(std::move(photo))
    , m_zoom(std::clamp(zoom, kMinimumZoom, kMaximumZoom))
    , m_offset(clampedOffset(offset, m_photo.size(), m_zoom))
{
}

QRectF FocusRecapPhotoCard::photoRect(QSizeF photo, double zoom, QPointF offset)
{
    if (!(photo.width() > 0 && photo.height() > 0))
        return QRectF(QPointF(0, 0), kCanvas);
    const double fill = std::max(kCanvas.width() / photo.width(), kCanvas.height() / photo.height()) * zoom;
    const QSizeF size = photo * fill;
    const QPointF center = QPointF(kCanvas.width() / 2, kCanvas.height() / 2) + offset;
    return QRectF(center - QPointF(size.width() / 2, size.height() / 2), size);
}

QPointF FocusRecapPhotoCard::clampedOffset(QPointF offset, QSizeF photo, double zoom)
{
    if (!(photo.width() > 0 && photo.height() > 0))
        return {};
    const QSizeF size = photoRect(photo, zoom, {}).size();
    const double travelX = std::max((size.width() - kCanvas.width()) / 2, 0.0);
    const double travelY = std::max((size.height() - kCanvas.height()) / 2, 0.0);
    return { std::clamp(offset.x(), -travelX, travelX), std::clamp(offset.y(), -travelY, travelY) };
}

QImage FocusRecapPhotoCard::render(double scale) const
{
    QImage image((kCanvas * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    paint(painter);
    return image;
}

void FocusRecapPhotoCard::paint(QPainter& painter) const
{
    const QRectF canvas(QPointF(0, 0), kCanvas);
    painter.save();
    painter.setClipRect(canvas);
    painter.fillRect(canvas, Qt::black);
    if (!m_photo.isNull())
        painter.drawImage(photoRect(m_photo.size(), m_zoom, m_offset), m_photo);

    QLinearGradient shade(canvas.topLeft(), canvas.bottomLeft());
    shade.setColorAt(0, Qt::transparent);
    shade.setColorAt(0.5, withOpacity(Qt::black, 0.18));
    shade.setColorAt(1, withOpacity(Qt::black, 0.45));
    painter.fillRect(canvas, shade);

    MoorletLogo(kLogoSize, false).paint(painter, QPointF(kMargin, kLogoTop));
    painter.setPen(kWhite);
    painter.setFont(font(16, QFont::Bold));
    painter.drawText(QRectF(kMargin + kLogoSize + 10, kLogoTop, 300, kLogoSize), Qt::AlignVCenter | Qt::AlignLeft,
        QStringLiteral("Moorlet"));

    painter.setFont(font(76, QFont::Black, true));
    painter.drawText(QRectF(kMargin, kFigureBaseline - 100, canvas.width() - 2 * kMargin, 100),
        Qt::AlignLeft | Qt::AlignBottom, m_data.focusLabel);
    painter.setPen(withOpacity(kWhite, 0.8));
    painter.setFont(font(19, QFont::DemiBold));
    painter.drawText(QRectF(kMargin, kFigureBaseline, canvas.width() - 2 * kMargin, kCaptionGap),
        Qt::AlignLeft | Qt::AlignVCenter, m_data.caption());

    paintGlassPanel(painter, kStatsPanel, kPanelRadius);
    paintStats(painter, kStatsPanel);
    paintGlassPanel(painter, kBarsPanel, kPanelRadius);
    paintBars(painter, kBarsPanel);
    painter.restore();
}

void FocusRecapPhotoCard::paintStats(QPainter& painter, const QRectF& panel) const
{
    const double half = panel.width() / 2;
    const auto stat = [&](const QRectF& cell, const QString& value, const QString& title, bool flame) {
        const QFont valueFont = font(30, QFont::Bold, true);
        const QRectF valueBox(cell.left(), cell.top() + 22, cell.width(), 40);
        painter.setFont(valueFont);
        painter.setPen(kWhite);
        if (flame) {
            const double textWidth = QFontMetricsF(valueFont).horizontalAdvance(value);
            const double symbol = 18;
            const double start = cell.center().x() - (textWidth + symbol + 6) / 2;
            veltrane::SymbolPainter::paint(painter, QPointF(start + symbol / 2, valueBox.center().y()), symbol,
                u"flame.fill", veltrane::DesignTokens::Colors::streak());
            painter.drawText(QRectF(start + symbol + 6, valueBox.top(), textWidth + 2, valueBox.height()),
                Qt::AlignLeft | Qt::AlignVCenter, value);
        } else {
            painter.drawText(valueBox, Qt::AlignCenter, value);
        }
        painter.setFont(font(11, QFont::Bold));
        painter.setPen(withOpacity(kWhite, 0.6));
        painter.drawText(QRectF(cell.left(), valueBox.bottom() + 4, cell.width(), 18), Qt::AlignCenter, title);
    };
    stat(QRectF(panel.left(), panel.top(), half, panel.height()), QString::number(m_data.sessions),
        QStringLiteral("Sessions"), false);
    stat(QRectF(panel.left() + half, panel.top(), half, panel.height()), QString::number(m_data.streak),
        QStringLiteral("Streak"), true);
    painter.fillRect(QRectF(panel.center().x() - 0.5, panel.center().y() - kRuleHeight / 2, 1, kRuleHeight),
        withOpacity(kWhite, 0.25));
}

void FocusRecapPhotoCard::paintBars(QPainter& painter, const QRectF& panel) const
{
    if (m_data.bars.empty())
        return;
    const QRectF inner = panel.adjusted(kPanelPadding, kPanelPadding, -kPanelPadding, -kPanelPadding / 2);
    const double slot = inner.width() / static_cast<double>(m_data.bars.size());
    const double track = inner.height() - kLetterHeight;
    painter.setFont(font(12, QFont::Bold));
    for (std::size_t index = 0; index < m_data.bars.size(); ++index) {
        const auto& bar = m_data.bars[index];
        const double x = inner.left() + slot * static_cast<double>(index) + (slot - kBarWidth) / 2;
        const double height = std::max(bar.fraction * track, kBarMinimum);
        const QRectF rect(x, inner.top() + track - height, kBarWidth, height);
        QPainterPath capsule;
        const double radius = std::min(rect.width(), rect.height()) / 2;
        capsule.addRoundedRect(rect, radius, radius);
        // Today's bar stands out in the accent; the other days are quiet white.
        painter.fillPath(capsule, bar.isToday ? m_data.accent : withOpacity(kWhite, 0.45));
        painter.setPen(bar.isToday ? kWhite : withOpacity(kWhite, 0.6));
        painter.drawText(QRectF(x - slot / 2 + kBarWidth / 2, inner.top() + track, slot, kLetterHeight),
            Qt::AlignCenter, bar.letter);
    }
}

void paintGlassPanel(QPainter& painter, const QRectF& rect, double radius)
{
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    veltrane::ShadowPainter::paint(painter, rect, veltrane::ShadowStyle { withOpacity(Qt::black, 0.25), 24, QPointF(0, 10) },
        [&](QPainter& silhouette) { silhouette.fillPath(shape, Qt::black); });
    QLinearGradient fill(rect.topLeft(), rect.bottomRight());
    fill.setColorAt(0, withOpacity(Qt::white, 0.14));
    fill.setColorAt(1, withOpacity(Qt::white, 0.03));
    painter.fillPath(shape, fill);
    QLinearGradient rim(rect.topLeft(), rect.bottomRight());
    rim.setColorAt(0, withOpacity(Qt::white, 0.5));
    rim.setColorAt(0.5, withOpacity(Qt::white, 0.08));
    rim.setColorAt(1, withOpacity(Qt::white, 0.22));
    painter.strokePath(shape, QPen(QBrush(rim), 1));
}

} // namespace moorlet
