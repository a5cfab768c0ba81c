#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QRectF>

#include <functional>

class QPainter;

namespace moorlet {

// How one row of the card appears: hidden it is transparent, Motion.rowOffset lower and slightly
// blurred; revealing springs it into place after a delay that grows with its index, so the rows
// arrive one after another. Under reduce motion only the opacity changes, quickly and all at once.
class StaggeredReveal {
public:
    // The blur of a hidden row, in points.
    static constexpr double kHiddenBlur = 1.5;

    explicit StaggeredReveal(veltrane::FrameTicker& ticker);

    // Hiding is immediate (the card is going away); revealing animates.
    void setRevealed(bool revealed, int index, bool reduceMotion);
    bool revealed() const { return m_progress.target() >= 1.0; }
    // 0 hidden, 1 shown.
    double progress() const { return m_progress.value(); }
    void setOnFrame(std::function<void()> onFrame) { m_progress.onFrame = std::move(onFrame); }

    // The row's look at the current progress.
    double opacity() const;
    double offset(bool reduceMotion) const;
    double blur(bool reduceMotion) const;

    // Draws the row through `draw` (which paints in the row's own coordinates) with the current
    // opacity, offset and blur. `bleed` is how far the row's drawing may reach beyond `rowRect`.
    void paint(QPainter& painter, const QRectF& rowRect, double bleed, bool reduceMotion,
        const std::function<void(QPainter&)>& draw) const;

private:
    veltrane::AnimatedValue<double> m_progress;
};

} // namespace moorlet
