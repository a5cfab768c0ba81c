#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QWidget>

#include <cmath>
#include <functional>
#include <numbers>

// Paints into a transparent image and reads it back, for pixel checks of painters and widgets.
class PaintProbe {
public:
    PaintProbe(int width, int height)
        : m_image(width, height, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::transparent);
    }

    void paint(const std::function<void(QPainter&)>& draw)
    {
        QPainter painter(&m_image);
        draw(painter);
    }

    // A widget and its children as they paint themselves over transparency.
    static QImage render(QWidget& widget)
    {
        QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        widget.render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    }

    // A pixel's colour, unpremultiplied.
    static QColor colorAt(const QImage& image, QPointF point)
    {
        return QColor::fromRgba(qUnpremultiply(image.pixel(point.toPoint())));
    }

    // The pixels of `image` whose colour passes `test`.
    static int count(const QImage& image, const std::function<bool(const QColor&)>& test)
    {
        int result = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                result += test(colorAt(image, QPointF(x, y)));
        return result;
    }

    // The point at `degrees` clockwise from twelve o'clock on a circle about `center`.
    static QPointF onCircle(QPointF center, double radius, double degrees)
    {
        const double radians = degrees * std::numbers::pi / 180;
        return { center.x() + radius * std::sin(radians), center.y() - radius * std::cos(radians) };
    }

    const QImage& image() const { return m_image; }
    int alphaAt(QPointF point) const { return qAlpha(m_image.pixel(point.toPoint())); }
    QColor colorAt(QPointF point) const { return colorAt(m_image, point); }
    // Pixels whose opacity is above `threshold`.
    int countOpaque(int threshold = 128) const
    {
        return count(m_image, [threshold](const QColor& pixel) { return pixel.alpha() > threshold; });
    }

private:
    QImage m_image;
};
