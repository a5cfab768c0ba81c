#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace veltrane {

// An open ring with a 12 % gap centred at the bottom: a faint track over the open ring and the
// progress stroke along it, both with round caps, starting at the gap's left end.
struct ProgressArcPainter {
    double progress = 0; // clamped to [0, 1]; not a number counts as 0
    QColor tint;
    double lineWidth = 3.5;

    void paint(QPainter& painter, const QRectF& frame) const;
    double overhang() const { return lineWidth / 2 + 1; }

    // The share of the circle the open ring covers.
    static constexpr double kOpenFraction = 0.88;
};

} // namespace veltrane
