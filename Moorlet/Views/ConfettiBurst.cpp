#include "Moorlet/Views/ConfettiBurst.h"

#include "VeltraneKit/Components/ConfettiPainter.h"

#include <algorithm>

namespace moorlet {

ConfettiBurst::ConfettiBurst(veltrane::FrameTicker& ticker, std::vector<veltrane::ConfettiPiece> pieces,
    const std::function<void()>& onFrame)
    : m_pieces(std::move(pieces))
{
    for (const veltrane::ConfettiPiece& piece : m_pieces) {
        auto progress = std::make_unique<veltrane::AnimatedValue<double>>(ticker, 0.0);
        progress->onFrame = onFrame;
        progress->start(1.0, veltrane::Animation::easeIn(kFallDuration).delayed(piece.delay));
        m_progress.push_back(std::move(progress));
    }
}

std::vector<double> ConfettiBurst::progress() const
{
    std::vector<double> result;
    result.reserve(m_progress.size());
    for (const auto& value : m_progress)
        result.push_back(value->value());
    return result;
}

bool ConfettiBurst::isFalling() const
{
    return std::any_of(m_progress.begin(), m_progress.end(), [](const auto& value) { return value->animating(); });
}

void ConfettiBurst::paint(QPainter& painter, const QRectF& area) const
{
    veltrane::ConfettiPainter::paint(painter, area, m_pieces, progress());
}

} // namespace moorlet
