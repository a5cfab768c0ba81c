#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace veltrane {

// A full ring: a faint track all around and, from twelve o'clock clockwise, the progress
// stroke with round caps, shaded around the circle and glowing in its tint.
struct ProgressRingPainter {
    double progress = 0; // clamped to [0, 1]; not a number counts as 0
    QColor tint;
    double lineWidth = 6;
    double trackOpacity = 0.15;

    // The ring's circle fits `frame` (its stroke straddles the circle, as the glow spills out).
    void paint(QPainter& painter, const QRectF& frame) const;
    // How far the stroke and the glow reach beyond the frame.
    double overhang() const;
};

// Progress clamped to [0, 1], a non-number giving 0.
double clampedProgress(double progress);

} // namespace veltrane
