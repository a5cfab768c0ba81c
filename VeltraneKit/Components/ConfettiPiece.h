#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QColor>
#include <QUuid>

#include <random>
#include <vector>

namespace veltrane {

// One scrap of celebration confetti: where across the view it falls (a fraction of the
// width), its colour, when it starts, its size in points and its tilt in degrees.
struct ConfettiPiece {
    QUuid id;
    double x = 0;
    QColor color;
    Seconds delay = 0;
    double size = 4;
    double rotation = 0;

    // `count` pieces drawn at random, colours from `seedColors` (the palette's highlight colour
    // when there are none). Every range is closed.
    static std::vector<ConfettiPiece> random(const std::vector<QColor>& seedColors, int count, std::mt19937_64& generator);
};

} // namespace veltrane
