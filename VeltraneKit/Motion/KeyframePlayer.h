#pragma once

#include "VeltraneKit/Motion/Animator.h"
#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Motion/KeyframeTrack.h"

namespace veltrane {

// Plays a KeyframeTrack on the frame ticker: play() starts it from the beginning (a replay
// while playing restarts it); between plays the value rests on the track's final value.
template <typename T>
class KeyframePlayer final : public Animator {
public:
    KeyframePlayer(FrameTicker& ticker, KeyframeTrack<T> track)
        : Animator(ticker)
        , m_track(std::move(track))
        , m_current(m_track.initial())
    {
    }

    void play()
    {
        if (animating())
            finishRun(AnimationOutcome::interrupted);
        if (ticker().mode() == FrameTicker::Mode::instant || m_track.duration() <= 0) {
            land();
            if (onFrame)
                onFrame();
            if (onFinished)
                onFinished(AnimationOutcome::skipped);
            return;
        }
        m_startTime = now();
        m_current = m_track.initial();
        attach();
    }
    void finish()
    {
        if (animating())
            finishRun(AnimationOutcome::skipped);
    }

    const KeyframeTrack<T>& track() const { return m_track; }
    T value() const { return animating() ? m_track.value(now() - m_startTime) : m_current; }

protected:
    bool advance(Instant frameTime) override
    {
        const Seconds elapsed = frameTime - m_startTime;
        m_current = m_track.value(elapsed);
        return elapsed < m_track.duration();
    }
    void land() override { m_current = m_track.final(); }

private:
    KeyframeTrack<T> m_track;
    T m_current;
    Instant m_startTime = 0;
};

} // namespace veltrane
