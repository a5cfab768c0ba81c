#pragma once

#include "Moorlet/Recap/RecapData.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace moorlet {

// The recap drawn over the user's photo on a fixed portrait canvas, bottom to top: the photo
// filling the canvas (zoomed about the centre and moved by `offset`), a darkening gradient, the
// logo and name, the big figure with its caption, a frosted panel with the sessions and the
// streak, and a frosted strip of the last seven days with today's bar marked.
//
// Coordinates are canvas points, y down. Main thread only (it draws text).
class FocusRecapPhotoCard {
public:
    static constexpr QSizeF kCanvas { 600, 1066 };
    static constexpr double kMinimumZoom = 1;
    static constexpr double kMaximumZoom = 3;

    FocusRecapPhotoCard(RecapData data, QImage photo, double zoom = 1, QPointF offset = {});

    void paint(QPainter& painter) const;
    // The card rendered at `scale` device pixels per point (2 gives 1200 × 2132 pixels).
    QImage render(double scale) const;

    // The offset nearest to `offset` that keeps the photo, filled into the canvas and zoomed,
    // covering the whole card: each axis may travel half of what the zoomed photo exceeds the
    // canvas by. A photo without a positive width and height gets no offset at all.
    static QPointF clampedOffset(QPointF offset, QSizeF photo, double zoom);
    // The rectangle the photo is drawn into.
    static QRectF photoRect(QSizeF photo, double zoom, QPointF offset);

private:
    void paintStats(QPainter& painter, const QRectF& panel) const;
    void paintBars(QPainter& painter, const QRectF& panel) const;

    RecapData m_data;
    QImage m_photo;
    double m_zoom;
    QPointF m_offset;
};

// A frosted-glass rounded panel: a faint white diagonal fill, a light rim and a soft shadow.
void paintGlassPanel(QPainter& painter, const QRectF& rect, double radius);

} // namespace moorlet
