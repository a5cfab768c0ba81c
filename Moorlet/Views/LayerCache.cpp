#include "Moorlet/Views/LayerCache.h"

#include <QPainter>

#include <cmath>


namespace moorlet {

void LayerCache::draw(QPainter& painter, const QRectF& bounds, const QByteArray& key,
    const std::function<void(QPainter&)>& paint)
{
    if (bounds.isEmpty())
        return;
    // The few per cent the card swells or breathes by do not call for a sharper picture.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (key != m_key || bounds.size() != m_size || ratio != m_ratio || m_image.isNull()) {
        m_key = key;
        m_size = bounds.size();
        m_ratio = ratio;
        m_image = QImage((bounds.size() * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(Qt::transparent);
        QPainter layer(&m_image);
        layer.setRenderHint(QPainter::Antialiasing);
        paint(layer);
        ++m_renders;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A layer's edges are transparent: antialiasing them would only split every row's span.
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawInBands(painter, bounds, m_image);
    painter.restore();
}

void LayerCache::drawInBands(QPainter& painter, const QRectF& bounds, const QImage& image)
{
    // Qt's raster engine hands a fill of more than about a hundred rows to its thread pool in
    // parts and waits for them: for pictures this size the hand-over costs more than the
    // blending, several times a second. Drawn in bands of fewer rows, each fill stays on this
    // thread. The bands are clipped on the device, so the picture is sampled exactly as it would
    // be in one piece.
    const QTransform transform = painter.deviceTransform();
    const QRectF onDevice = transform.mapRect(bounds);
    if (!transform.isInvertible() || transform.isRotating() || onDevice.height() <= kBandRows) {
        painter.drawImage(bounds.topLeft(), image);
        return;
    }
    const QTransform toLogical = transform.inverted();
    for (double top = std::floor(onDevice.top()); top < onDevice.bottom(); top += kBandRows) {
        const QRectF band(onDevice.left() - 1, top, onDevice.width() + 2, kBandRows);
        painter.save();
        painter.setClipRect(toLogical.mapRect(band), Qt::IntersectClip);
        painter.drawImage(bounds.topLeft(), image);
        painter.restore();
    }
}

} // namespace moorlet
