#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QImage>
#include <QRectF>

#include <functional>

class QPainter;

namespace moorlet {

// A picture kept between paints: what a callback draws is rendered once into an image and drawn
// from there for as long as the key describing it stays the same. The card's soft shadows and
// glows take far longer to blur than to draw, and they change only with size, colour or progress.
class LayerCache {
public:
    // Draws the layer with its top-left corner at `bounds.topLeft()`. `paint` draws in the
    // layer's own coordinates, (0, 0) to `bounds.size()`, and runs only when the key, the size or
    // the painter's pixel ratio changed.
    void draw(QPainter& painter, const QRectF& bounds, const QByteArray& key, const std::function<void(QPainter&)>& paint);

    // How many times the layer was rendered, for tests.
    int renderCount() const { return m_renders; }

    // Draws `image` at `bounds.topLeft()` as drawImage does, in horizontal bands of the device
    // of at most kBandRows rows.
    static void drawInBands(QPainter& painter, const QRectF& bounds, const QImage& image);
    static constexpr int kBandRows = 64;

private:
    QByteArray m_key;
    QSizeF m_size;
    double m_ratio = 0;
    QImage m_image;
    int m_renders = 0;
};

// A key made of the values a layer depends on.
template <typename... Values>
QByteArray layerKey(const Values&... values)
{
    QByteArray key;
    QDataStream stream(&key, QIODevice::WriteOnly);
    (stream << ... << values);
    return key;
}

} // namespace moorlet
