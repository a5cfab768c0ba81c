#pragma once

#include "VeltraneKit/Theme/ShadowStyle.h"

#include <QRectF>

#include <functional>

class QPainter;

namespace veltrane {

// Soft drop shadows: the silhouette of whatever a callback draws, blurred (a Gaussian whose
// standard deviation is half the style's radius), in the shadow's colour, moved by its offset.
class ShadowPainter {
public:
    // `bounds` is where the silhouette lies in the painter's coordinates; the shadow spills up
    // to extent() beyond it. The callback draws the silhouette in any opaque colour.
    static void paint(QPainter& painter, const QRectF& bounds, const ShadowStyle& style,
        const std::function<void(QPainter&)>& silhouette);

    // How far beyond the silhouette a shadow reaches, offset included.
    static double extent(const ShadowStyle& style);
};

} // namespace veltrane
