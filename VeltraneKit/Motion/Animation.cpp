#include "VeltraneKit/Motion/Animation.h"

#include "VeltraneKit/Motion/FrameDriver.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace veltrane {

Animation Animation::timed(TimingCurve curve, Seconds duration)
{
    return Animation(Timed { curve, std::max(duration, 0.0) });
}

Animation Animation::linear(Seconds duration) { return timed(TimingCurve::linear(), duration); }
Animation Animation::easeIn(Seconds duration) { return timed(TimingCurve::easeIn(), duration); }
Animation Animation::easeOut(Seconds duration) { return timed(TimingCurve::easeOut(), duration); }
Animation Animation::easeInOut(Seconds duration) { return timed(TimingCurve::easeInOut(), duration); }

Animation Animation::spring(Spring spring)
{
    return Animation(spring);
}

Animation Animation::spring(double response, double dampingFraction, Seconds blendDuration)
{
    return Animation(Spring { response, dampingFraction, blendDuration });
}

Animation Animation::delayed(Seconds delay) const
{
    Animation copy = *this;
    copy.m_delay = std::max(delay, 0.0);
    return copy;
}

Animation Animation::repeating(int count, Reversal reversal) const
{
    assert(count >= 1);
    Animation copy = *this;
    copy.m_cycles = std::max(count, 1);
    copy.m_reversal = reversal;
    return copy;
}

Animation Animation::repeatingForever(Reversal reversal) const
{
    Animation copy = *this;
    copy.m_cycles.reset();
    copy.m_reversal = reversal;
    return copy;
}

Animation Animation::atFrameRate(double framesPerSecond) const
{
    Animation copy = *this;
    const bool slower = std::isfinite(framesPerSecond) && framesPerSecond > 0
        && 1.0 / framesPerSecond > FrameDriver::kDisplayInterval;
    copy.m_frameInterval = slower ? 1.0 / framesPerSecond : 0.0;
    return copy;
}

namespace {

Seconds cycleLength(const Animation::Timing& timing, double initialVelocity, double tolerance)
{
    if (const auto* timed = std::get_if<Animation::Timed>(&timing))
        return timed->duration;
    return std::get<Spring>(timing).settlingDuration(initialVelocity, tolerance);
}

} // namespace

AnimationTimeline::AnimationTimeline(const Animation& animation, double initialVelocity, double tolerance)
    : m_animation(animation)
    , m_initialVelocity(initialVelocity)
    , m_firstCycle(cycleLength(animation.timing(), initialVelocity, tolerance))
    , m_cycle(cycleLength(animation.timing(), 0, tolerance))
{
}

std::optional<Seconds> AnimationTimeline::duration() const
{
    const auto cycles = m_animation.cycles();
    if (!cycles) {
        // An endless repetition of an instant cycle would tick forever without showing anything.
        if (m_cycle <= 0)
            return m_animation.delay() + m_firstCycle;
        return std::nullopt;
    }
    return m_animation.delay() + m_firstCycle + (*cycles - 1) * m_cycle;
}

AnimationTimeline::Sample AnimationTimeline::sampleCycle(Seconds local, bool first) const
{
    if (const auto* timed = std::get_if<Animation::Timed>(&m_animation.timing())) {
        if (timed->duration <= 0)
            return { 1, 0, false };
        const double fraction = local / timed->duration;
        return { timed->curve.value(fraction), timed->curve.slope(fraction) / timed->duration, false };
    }
    const Spring::State state = std::get<Spring>(m_animation.timing()).state(local, first ? m_initialVelocity : 0);
    return { state.progress, state.velocity, false };
}

AnimationTimeline::Sample AnimationTimeline::sample(Seconds elapsed) const
{
    const Seconds sinceStart = elapsed - m_animation.delay();
    if (sinceStart < 0)
        return { 0, 0, false };
    if (const auto total = duration(); total && elapsed >= *total)
        return { 1, 0, true };
    if (sinceStart < m_firstCycle || m_cycle <= 0)
        return sampleCycle(sinceStart, true);

    const Seconds afterFirst = sinceStart - m_firstCycle;
    const auto index = static_cast<long long>(std::floor(afterFirst / m_cycle)) + 1;
    Sample cycle = sampleCycle(afterFirst - (index - 1) * m_cycle, false);
    if (m_animation.reversal() == Animation::Reversal::autoreverses && index % 2 == 1) {
        cycle.progress = 1 - cycle.progress;
        cycle.velocity = -cycle.velocity;
    }
    return cycle;
}

} // namespace veltrane
