#include "VeltraneKit/Components/ConfettiPainter.h"

#include <QPainter>

namespace veltrane {

namespace {

// Pieces start and end this far beyond the top and bottom edges.
constexpr double kOffEdge = 20;
constexpr double kExtraTurn = 220;
constexpr double kCornerRadius = 1.5;
constexpr double kHeightPerWidth = 1.6;

} // namespace

QPointF ConfettiPainter::position(const QRectF& area, const ConfettiPiece& piece, double progress)
{
    const double top = area.top() - kOffEdge;
    const double bottom = area.bottom() + kOffEdge;
    return { area.left() + piece.x * area.width(), top + (bottom - top) * progress };
}

void ConfettiPainter::paint(QPainter& painter, const QRectF& area, const std::vector<ConfettiPiece>& pieces,
    const std::vector<double>& progress)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < pieces.size() && i < progress.size(); ++i) {
        const ConfettiPiece& piece = pieces[i];
        const double p = progress[i];
        painter.save();
        painter.translate(position(area, piece, p));
        painter.rotate(piece.rotation + kExtraTurn * p);
        painter.setOpacity(1 - p);
        painter.setBrush(piece.color);
        const double height = piece.size * kHeightPerWidth;
        painter.drawRoundedRect(QRectF(-piece.size / 2, -height / 2, piece.size, height), kCornerRadius, kCornerRadius);
        painter.restore();
    }
    painter.restore();
}

} // namespace veltrane
