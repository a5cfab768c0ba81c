#pragma once

#include "VeltraneKit/Components/ConfettiPiece.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QRectF>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace moorlet {

// One fall of confetti painted by the card itself (so it shares the card's transform, opacity
// and rounded clip): each piece drops and fades ease-in over 1.1 s after its own delay, once.
class ConfettiBurst {
public:
    static constexpr veltrane::Seconds kFallDuration = 1.1;

    ConfettiBurst(veltrane::FrameTicker& ticker, std::vector<veltrane::ConfettiPiece> pieces,
        const std::function<void()>& onFrame);

    const std::vector<veltrane::ConfettiPiece>& pieces() const { return m_pieces; }
    std::vector<double> progress() const;
    bool isFalling() const;

    void paint(QPainter& painter, const QRectF& area) const;

private:
    std::vector<veltrane::ConfettiPiece> m_pieces;
    std::vector<std::unique_ptr<veltrane::AnimatedValue<double>>> m_progress;
};

} // namespace moorlet
