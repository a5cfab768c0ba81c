#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QColor>

#include <functional>
#include <optional>

namespace moorlet {

// A colour that blends to a new one over time, read while painting. Starting anew mid-way blends
// on from the colour shown at that moment.
class AnimatedColor {
public:
    AnimatedColor(veltrane::FrameTicker& ticker, QColor initial);

    // Blends to `to` with the animation, or jumps when none is given.
    void start(const QColor& to, const std::optional<veltrane::Animation>& animation);
    QColor value() const;
    const QColor& target() const { return m_to; }
    bool animating() const { return m_mix.animating(); }

    // Called on every frame of a blend: views repaint here.
    void setOnFrame(std::function<void()> onFrame) { m_mix.onFrame = std::move(onFrame); }

    // The colour a share `t` of the way from `from` to `to`, opacity included.
    static QColor mix(const QColor& from, const QColor& to, double t);

private:
    QColor m_from;
    QColor m_to;
    veltrane::AnimatedValue<double> m_mix;
};

} // namespace moorlet
