#pragma once

#include "Moorlet/Views/AnimatedColor.h"
#include "Moorlet/Views/LayerCache.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QPointF>

#include <functional>

class QPainter;

namespace moorlet {

// The soft glow behind the card's ring: two blurred radial gradients of the tint, brighter while
// a session runs. While active (and motion is not reduced) it breathes between 0.92 and 1.12 of
// its size, 3.6 s each way; otherwise it rests at full size, a little dimmer when inactive.
// Changes of tint and activity blend over 0.6 s. It takes no input.
class BreathingAura {
public:
    // The frame the aura is laid out in; the glow itself spreads further.
    static constexpr double kFrame = 220;
    // How far the glow reaches from the centre at full size.
    static constexpr double kReach = 148;
    // The breath's extremes.
    static constexpr double kSmallestScale = 0.92;
    static constexpr double kLargestScale = 1.12;

    explicit BreathingAura(veltrane::FrameTicker& ticker);

    void update(const QColor& tint, bool active, bool reduceMotion);
    void setOnFrame(const std::function<void()>& onFrame);

    bool isActive() const { return m_active.target() >= 1.0; }
    bool isBreathing() const { return m_breathing; }
    double scale() const { return m_scale.value(); }
    double opacity() const;
    QColor tint() const { return m_tint.value(); }

    void paint(QPainter& painter, QPointF center) const;

private:
    AnimatedColor m_tint;
    veltrane::AnimatedValue<double> m_active;
    veltrane::AnimatedValue<double> m_scale;
    bool m_breathing = false;
    bool m_initialised = false;
    // The glow at rest size; breathing only scales the picture.
    mutable LayerCache m_layer;
};

} // namespace moorlet
