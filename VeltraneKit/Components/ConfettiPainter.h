#pragma once

#include "VeltraneKit/Components/ConfettiPiece.h"

#include <QRectF>

#include <vector>

class QPainter;

namespace veltrane {

// Draws confetti pieces, each at its own fall progress: 0 above the top edge, opaque and at its
// tilt; 1 below the bottom edge, faded out and turned 220 degrees further.
class ConfettiPainter {
public:
    // One progress per piece, in piece order.
    static void paint(QPainter& painter, const QRectF& area, const std::vector<ConfettiPiece>& pieces,
        const std::vector<double>& progress);

    // Where a piece's centre is at `progress` in `area`.
    static QPointF position(const QRectF& area, const ConfettiPiece& piece, double progress);
};

} // namespace veltrane
