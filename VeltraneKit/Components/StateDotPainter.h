#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace veltrane {

// A small glowing dot that marks the session state. `pulse` runs from 0 (at rest: scale 1,
// glow radius 3) to 1 (pulsing: scale 1.25, glow radius 6).
struct StateDotPainter {
    QColor color;
    double diameter = 8;
    double pulse = 0;

    // Draws the dot centred in `frame`.
    void paint(QPainter& painter, const QRectF& frame) const;
    // How far the pulsing dot and its glow reach beyond its diameter.
    double overhang() const;
};

} // namespace veltrane
