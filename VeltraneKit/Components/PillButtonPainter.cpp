#include "VeltraneKit/Components/PillButtonPainter.h"

#include "VeltraneKit/Components/Material.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace veltrane {

namespace {

struct PillMetrics {
    double diameter;
    double symbolSize;
    ShadowStyle shadow;
};

constexpr double kRimOpacity = 0.15;
constexpr double kRimWidth = 0.5;
// The largest hover scale, for the room the widget keeps around the button.
constexpr double kHoverScale = 1.05;

PillMetrics metricsFor(bool prominent, const QColor& tint)
{
    if (prominent)
        return { 54, 19, { withOpacity(tint, 0.5), 12, { 0, 4 } } };
    return { 36, 13, { withOpacity(QColor(0, 0, 0), 0.1), 4, { 0, 2 } } };
}

} // namespace

PillButtonPainter::PillButtonPainter(QString systemImage, QColor tint, bool prominent)
    : m_systemImage(std::move(systemImage))
    , m_tint(tint)
    , m_prominent(prominent)
{
}

double PillButtonPainter::diameter() const
{
    return metricsFor(m_prominent, m_tint).diameter;
}

double PillButtonPainter::overhang() const
{
    const PillMetrics metrics = metricsFor(m_prominent, m_tint);
    return ShadowPainter::extent(metrics.shadow) + metrics.diameter * (kHoverScale - 1) / 2 + 1;
}

void PillButtonPainter::paint(QPainter& painter, const QRectF& frame, double scale) const
{
    paint(painter, frame, QGuiApplication::palette(), scale);
}

void PillButtonPainter::paint(QPainter& painter, const QRectF& frame, const QPalette& palette, double scale) const
{
    const PillMetrics metrics = metricsFor(m_prominent, m_tint);
    const QPointF center = frame.center();
    const double side = metrics.diameter * scale;
    const QRectF disc(center.x() - side / 2, center.y() - side / 2, side, side);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    ShadowPainter::paint(painter, disc, metrics.shadow, [&disc](QPainter& silhouette) {
        silhouette.setPen(Qt::NoPen);
        silhouette.setBrush(Qt::black);
        silhouette.drawEllipse(disc);
    });
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_prominent ? m_tint : materialFill(Material::ultraThin, palette));
    painter.drawEllipse(disc);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(Qt::white, kRimOpacity), kRimWidth));
    painter.drawEllipse(disc.adjusted(kRimWidth / 2, kRimWidth / 2, -kRimWidth / 2, -kRimWidth / 2));
    // White on the tint where it reads; on a pale tint (the idle grey, the break's mint, the
    // pastel themes) a deep shade of the tint instead.
    const QColor symbolColor = m_prominent ? ColorContrast::contentOn(m_tint, DesignTokens::Contrast::controls)
                                           : DesignTokens::Colors::textPrimary(palette);
    SymbolPainter::paint(painter, center, metrics.symbolSize * scale, m_systemImage, symbolColor);
    painter.restore();
}

} // namespace veltrane
