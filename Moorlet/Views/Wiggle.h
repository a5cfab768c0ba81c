#pragma once

#include "Moorlet/Views/WiggleValues.h"
#include "VeltraneKit/Motion/KeyframePlayer.h"

#include <functional>

namespace moorlet {

// The little shake the widget gives on a phase change: it turns to -3°, 3°, -1.5° and back to
// 0° over 0.38 s while dipping to 0.97 of its size and springing back.
class Wiggle {
public:
    explicit Wiggle(veltrane::FrameTicker& ticker);

    // Plays from the start (a replay restarts it).
    void play();
    // Lands at once on the rest values.
    void finish();
    WiggleValues value() const { return { m_angle.value(), m_scale.value() }; }
    bool isPlaying() const { return m_angle.animating() || m_scale.animating(); }
    void setOnFrame(const std::function<void()>& onFrame);

    static veltrane::KeyframeTrack<double> angleTrack();
    static veltrane::KeyframeTrack<double> scaleTrack();

private:
    veltrane::KeyframePlayer<double> m_angle;
    veltrane::KeyframePlayer<double> m_scale;
};

} // namespace moorlet
