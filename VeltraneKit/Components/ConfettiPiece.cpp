#include "VeltraneKit/Components/ConfettiPiece.h"

#include <QGuiApplication>
#include <QPalette>

#include <cmath>
#include <limits>

namespace veltrane {

namespace {

constexpr Seconds kLatestStart = 0.25;
constexpr double kSmallest = 4;
constexpr double kLargest = 8;

// A uniform draw from the closed range [low, high].
double closed(std::mt19937_64& generator, double low, double high)
{
    std::uniform_real_distribution<double> draw(low, std::nextafter(high, std::numeric_limits<double>::max()));
    return draw(generator);
}

} // namespace

std::vector<ConfettiPiece> ConfettiPiece::random(const std::vector<QColor>& seedColors, int count, std::mt19937_64& generator)
{
    std::vector<ConfettiPiece> pieces;
    pieces.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        ConfettiPiece piece;
        piece.id = QUuid::createUuid();
        piece.x = closed(generator, 0, 1);
        if (seedColors.empty()) {
            piece.color = QGuiApplication::palette().color(QPalette::Highlight);
        } else {
            std::uniform_int_distribution<std::size_t> pick(0, seedColors.size() - 1);
            piece.color = seedColors[pick(generator)];
        }
        piece.delay = closed(generator, 0, kLatestStart);
        piece.size = closed(generator, kSmallest, kLargest);
        piece.rotation = closed(generator, 0, 360);
        pieces.push_back(piece);
    }
    return pieces;
}

} // namespace veltrane
