#include "Moorlet/Views/CardBackground.h"

#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>

namespace moorlet {

namespace {

using veltrane::withOpacity;

constexpr double kWindowColorOpacity = 0.6;
constexpr double kTintTopOpacity = 0.22;
constexpr double kTintBottomOpacity = 0.02;
constexpr double kBorderHoveredOpacity = 0.25;
constexpr double kBorderOpacity = 0.14;
constexpr double kBorderWidth = 0.5;

const std::array<veltrane::ShadowStyle, 2>& shadows()
{
    static const std::array<veltrane::ShadowStyle, 2> styles {
        veltrane::ShadowStyle { withOpacity(Qt::black, 0.13), 11, { 0, 5 } },
        veltrane::ShadowStyle { withOpacity(Qt::black, 0.06), 2, { 0, 1 } },
    };
    return styles;
}

} // namespace

QPainterPath CardBackground::shape(const QRectF& rect) const
{
    const double radius = std::clamp(cornerRadius, 0.0, std::min(rect.width(), rect.height()) / 2);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

double CardBackground::shadowExtent()
{
    double extent = 0;
    for (const veltrane::ShadowStyle& style : shadows())
        extent = std::max(extent, veltrane::ShadowPainter::extent(style));
    return extent;
}

void CardBackground::paintShadows(QPainter& painter, const QRectF& rect) const
{
    const QPainterPath path = shape(rect);
    for (const veltrane::ShadowStyle& style : shadows()) {
        veltrane::ShadowPainter::paint(painter, rect, style, [&path](QPainter& silhouette) {
            silhouette.fillPath(path, Qt::black);
        });
    }
}

void CardBackground::paint(QPainter& painter, const QRectF& rect) const
{
    const QPainterPath path = shape(rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, palette.material(veltrane::Material::popover));
    painter.fillPath(path, withOpacity(palette.windowBackground, kWindowColorOpacity));
    if (wash)
        painter.fillPath(path, wash->resolved(rect));
    if (sceneTintPresence > 0 && sceneTint.isValid()) {
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        const double presence = std::min(sceneTintPresence, 1.0);
        gradient.setColorAt(0, withOpacity(sceneTint, kTintTopOpacity * presence));
        gradient.setColorAt(1, withOpacity(sceneTint, kTintBottomOpacity * presence));
        painter.fillPath(path, gradient);
    }
    const double inset = kBorderWidth / 2;
    painter.setPen(QPen(withOpacity(Qt::white, hovered ? kBorderHoveredOpacity : kBorderOpacity), kBorderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape(rect.adjusted(inset, inset, -inset, -inset)));
    painter.restore();
}

} // namespace moorlet
