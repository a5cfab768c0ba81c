#include "Moorlet/Views/Wiggle.h"

namespace moorlet {

Wiggle::Wiggle(veltrane::FrameTicker& ticker)
    : m_angle(ticker, angleTrack())
    , m_scale(ticker, scaleTrack())
{
}

veltrane::KeyframeTrack<double> Wiggle::angleTrack()
{
    veltrane::KeyframeTrack<double> track(0.0);
    track.cubic(-3, 0.08).cubic(3, 0.1).cubic(-1.5, 0.1).cubic(0, 0.1);
    return track;
}

veltrane::KeyframeTrack<double> Wiggle::scaleTrack()
{
    veltrane::KeyframeTrack<double> track(1.0);
    track.spring(0.97, 0.12, veltrane::Spring::withDuration(0.5, 0))
        .spring(1.0, 0.3, veltrane::Spring::withDuration(0.5, 0.3));
    return track;
}

void Wiggle::play()
{
    m_angle.play();
    m_scale.play();
}

void Wiggle::finish()
{
    m_angle.finish();
    m_scale.finish();
}

void Wiggle::setOnFrame(const std::function<void()>& onFrame)
{
    m_angle.onFrame = onFrame;
    m_scale.onFrame = onFrame;
}

} // namespace moorlet
