#include "Moorlet/Views/LayerCache.h"

#include <QPainter>


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
    painter.drawImage(bounds.topLeft(), m_image);
    painter.restore();
}

} // namespace moorlet
