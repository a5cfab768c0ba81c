#pragma once

#include "Moorlet/Views/ViewPalette.h"
#include "VeltraneKit/Theme/LinearGradientStyle.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include <optional>

class QPainter;

namespace moorlet {

// The backdrop shared by the tile and the card, bottom to top: the popover material, the window
// colour at 0.6, the theme's wash, the playing scene's tint fading down the card, and a hairline
// border that brightens while the pointer is over the widget; under it two soft shadows.
struct CardBackground {
    ViewPalette palette;
    double cornerRadius = 0;
    std::optional<veltrane::LinearGradientStyle> wash;
    // The scene tint and how much of it shows (0 to 1, faded in and out).
    QColor sceneTint;
    double sceneTintPresence = 0;
    bool hovered = false;

    QPainterPath shape(const QRectF& rect) const;
    void paintShadows(QPainter& painter, const QRectF& rect) const;
    void paint(QPainter& painter, const QRectF& rect) const;

    // The backdrop's colour at `point` of `rect`, as it shows over a desktop of the window's own
    // colour: what the colours drawn on the card must stand out from.
    QColor colorAt(const QRectF& rect, QPointF point) const;

    // How far the shadows reach beyond the backdrop.
    static double shadowExtent();
};

} // namespace moorlet
