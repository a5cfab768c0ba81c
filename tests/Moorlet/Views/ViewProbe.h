#pragma once

#include "VeltraneKit/Theme/ColorContrast.h"

#include <QColor>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QTest>
#include <QWidget>

#include <cmath>

// Small hands for the views' tests: pointer events the way the window system sends them, and
// pixels read from a rendered image in points.
namespace viewprobe {

inline void click(QWidget& widget, QPointF point, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(&widget, button, {}, point.toPoint());
}

inline void enter(QWidget& widget)
{
    QEnterEvent event(QPointF(1, 1), widget.mapToGlobal(QPointF(1, 1)), widget.mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(&widget, &event);
}

inline void leave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

// The pixel under a point given in the image's points.
inline QColor pixel(const QImage& image, QPointF point)
{
    const double ratio = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(point.x() * ratio), static_cast<int>(point.y() * ratio));
}

// How far apart two colours are, opacity included, in 8-bit steps (the largest component).
inline int distance(const QColor& a, const QColor& b)
{
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    return std::max({ std::abs(x.red() - y.red()), std::abs(x.green() - y.green()), std::abs(x.blue() - y.blue()),
        std::abs(x.alpha() - y.alpha()) });
}

// Calls `visit` with every pixel of the image in a rectangle given in points.
template <typename Visit>
void eachPixel(const QImage& image, const QRectF& area, Visit visit)
{
    const double ratio = image.devicePixelRatio();
    const QRect pixels = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect() & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            visit(image.pixelColor(x, y));
    }
}

// The smallest distance to `color` of any pixel in a rectangle given in points.
inline int closest(const QImage& image, const QRectF& area, const QColor& color)
{
    int best = 255;
    eachPixel(image, area, [&](const QColor& pixel) { best = std::min(best, distance(pixel, color)); });
    return best;
}

// The image drawn over an opaque desktop of `desktop`: what a translucent widget looks like on it.
inline QImage onDesktop(const QImage& image, const QColor& desktop)
{
    QImage canvas(image.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(image.devicePixelRatio());
    canvas.fill(desktop);
    QPainter painter(&canvas);
    painter.drawImage(QPointF(0, 0), image);
    painter.end();
    return canvas;
}

// The best contrast ratio against `color` of any pixel in a rectangle given in points: how well
// a symbol or text drawn there stands out from the fill it is on.
inline double strongestContrast(const QImage& image, const QRectF& area, const QColor& color)
{
    double best = 1;
    eachPixel(image, area, [&](const QColor& pixel) { best = std::max(best, veltrane::ColorContrast::ratio(pixel, color)); });
    return best;
}

} // namespace viewprobe
