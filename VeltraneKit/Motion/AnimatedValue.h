#pragma once

#include "VeltraneKit/Motion/Animation.h"
#include "VeltraneKit/Motion/Animator.h"
#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Motion/Vector2.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace veltrane {

// A value that moves to a new target over time: start(to, animation), then read value() while
// painting. T is double or Vector2 (anything with +, -, * double and dotProduct).
// Starting anew mid-way continues from the current value, and a spring keeps its momentum.
template <typename T>
class AnimatedValue final : public Animator {
public:
    AnimatedValue(FrameTicker& ticker, T initial)
        : Animator(ticker)
        , m_from(initial)
        , m_to(initial)
    {
    }

    // Animates from the current value to `to`. Under the ticker's instant mode it lands at once.
    void start(T to, const Animation& animation) { run(value(), to, animation, currentVelocity()); }
    // Animates from `from` to `to`, dropping whatever motion there was.
    void start(T from, T to, const Animation& animation) { run(from, to, animation, T {}); }
    // Animates when an animation is given, else jumps: for call sites that honour reduce motion
    // with an optional animation.
    void start(T to, const std::optional<Animation>& animation)
    {
        if (animation)
            start(to, *animation);
        else
            jumpTo(to);
    }

    // Jumps to `to` with no animation (a running one ends as skipped).
    void jumpTo(T to)
    {
        m_to = to;
        if (animating())
            finishRun(AnimationOutcome::skipped);
        else
            land();
    }
    // Ends the running animation on its target.
    void finish()
    {
        if (animating())
            finishRun(AnimationOutcome::skipped);
    }

    // The smallest change of value that shows (a third of a point, say, for a position in
    // points): a spring ends once what is left of its motion stays below it, instead of ticking
    // on through invisible thousandths. 0 (the default) settles within a thousandth of the way.
    void setResolution(double smallestVisibleChange) { m_resolution = std::max(smallestVisibleChange, 0.0); }

    T target() const { return m_to; }
    // The value at this moment; an animation at a reduced frame rate holds the value of its last
    // frame, so that whatever is painted in between matches what its own frames painted.
    T value() const
    {
        if (!animating() || frameInterval() > 0)
            return m_current;
        return sampleAt(now()).value;
    }

protected:
    bool advance(Instant frameTime) override
    {
        const Sampled sampled = sampleAt(frameTime);
        m_current = sampled.value;
        return !sampled.finished;
    }
    void land() override
    {
        m_current = m_to;
        m_timeline.reset();
    }

private:
    struct Sampled {
        T value;
        bool finished;
    };

    Sampled sampleAt(Instant time) const
    {
        if (!m_timeline)
            return { m_current, true };
        const auto sample = m_timeline->sample(time - m_startTime);
        if (sample.finished)
            return { m_to, true };
        return { m_from + (m_to - m_from) * sample.progress, false };
    }

    T currentVelocity() const
    {
        if (!animating() || !m_timeline)
            return T {};
        const auto sample = m_timeline->sample(now() - m_startTime);
        return (m_to - m_from) * sample.velocity;
    }

    void run(T from, T to, const Animation& animation, T velocity)
    {
        if (animating())
            finishRun(AnimationOutcome::interrupted);
        m_from = from;
        m_to = to;
        m_current = from;
        // Nothing to move: end at once rather than tick through an invisible animation.
        const bool still = from == to && dotProduct(velocity, velocity) == 0;
        if (still || ticker().mode() == FrameTicker::Mode::instant) {
            land();
            if (onFrame)
                onFrame();
            if (onFinished)
                onFinished(still ? AnimationOutcome::completed : AnimationOutcome::skipped);
            return;
        }
        // The velocity along the new path, in progress per second.
        const T distance = to - from;
        const double lengthSquared = dotProduct(distance, distance);
        const double progressVelocity = lengthSquared > 0 ? dotProduct(velocity, distance) / lengthSquared : 0;
        double tolerance = AnimationTimeline::kDefaultTolerance;
        if (m_resolution > 0 && lengthSquared > 0)
            tolerance = std::clamp(m_resolution / std::sqrt(lengthSquared), tolerance, kLargestTolerance);
        m_timeline.emplace(animation, progressVelocity, tolerance);
        m_startTime = now();
        setFrameInterval(animation.frameInterval());
        attach();
    }

    // However coarse the resolution, a spring runs until it is this close.
    static constexpr double kLargestTolerance = 0.05;

    T m_from;
    T m_to;
    T m_current { m_from };
    std::optional<AnimationTimeline> m_timeline;
    Instant m_startTime = 0;
    double m_resolution = 0;
};

} // namespace veltrane
