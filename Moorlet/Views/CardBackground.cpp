#include "Moorlet/Views/CardBackground.h"

#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Theme/ColorContrast.h"
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

QColor CardBackground::colorAt(const QRectF& rect, QPointF point) const
{
    using veltrane::ColorContrast::composited;
    // The material and the window colour over a desktop of that colour are that colour.
    QColor color = palette.windowBackground;
    color.setAlphaF(1);
    if (wash && !wash->stops.empty()) {
        const QLinearGradient gradient = wash->resolved(rect);
        const QPointF axis = gradient.finalStop() - gradient.start();
        const double length = QPointF::dotProduct(axis, axis);
        const double at = length > 0 ? std::clamp(QPointF::dotProduct(point - gradient.start(), axis) / length, 0.0, 1.0) : 0;
        const auto& stops = wash->stops;
        QColor stop = stops.back().second;
        for (std::size_t i = 1; i < stops.size(); ++i) {
            if (at <= stops[i].first) {
                const auto& [from, fromColor] = stops[i - 1];
                const double span = stops[i].first - from;
                const double t = span > 0 ? std::clamp((at - from) / span, 0.0, 1.0) : 1.0;
                const auto mix = [t](double a, double b) { return static_cast<float>(a + (b - a) * t); };
                const QColor& to = stops[i].second;
                stop = QColor::fromRgbF(mix(fromColor.redF(), to.redF()), mix(fromColor.greenF(), to.greenF()),
                    mix(fromColor.blueF(), to.blueF()), mix(fromColor.alphaF(), to.alphaF()));
                break;
            }
        }
        color = composited(stop, color);
    }
    if (sceneTintPresence > 0 && sceneTint.isValid() && rect.height() > 0) {
        const double t = std::clamp((point.y() - rect.top()) / rect.height(), 0.0, 1.0);
        const double opacity = (kTintTopOpacity + (kTintBottomOpacity - kTintTopOpacity) * t) * std::min(sceneTintPresence, 1.0);
        color = composited(withOpacity(sceneTint, opacity), color);
    }
    return color;
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
