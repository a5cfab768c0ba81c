#include "VeltraneKit/Time/TimerEngine.h"

#include <algorithm>
#include <cassert>

namespace veltrane {

TimerEngine::TimerEngine(TimerMode mode, ClockPtr clock)
    : m_mode(mode)
    , m_clock(std::move(clock))
{
    assert(m_clock);
}

void TimerEngine::start(Seconds duration)
{
    const auto now = m_clock->now();
    m_completionReported = false;
    m_pausedRemaining.reset();
    m_pausedElapsed.reset();
    m_startDate = now;
    m_countingSince = now;
    if (m_mode == TimerMode::countdown) {
        // Written so that NaN also becomes 0.
        m_totalDuration = duration >= 0 ? duration : 0;
        m_endDate = now + m_totalDuration;
    } else {
        m_totalDuration = 0;
        m_endDate.reset();
    }
    m_state = TimerState::running;
}

void TimerEngine::pause()
{
    if (m_state != TimerState::running)
        return;
    if (m_mode == TimerMode::countdown) {
        const auto now = m_clock->now();
        m_pausedRemaining = m_endDate ? std::max(0.0, *m_endDate - now) : 0.0;
    } else {
        m_pausedElapsed = elapsed();
    }
    m_state = TimerState::paused;
}

void TimerEngine::resume()
{
    if (m_state != TimerState::paused)
        return;
    const auto now = m_clock->now();
    if (m_mode == TimerMode::countdown) {
        m_endDate = now + m_pausedRemaining.value_or(0);
        m_startDate = *m_endDate - m_totalDuration;
        m_pausedRemaining.reset();
    } else {
        m_startDate = now - m_pausedElapsed.value_or(0);
        m_pausedElapsed.reset();
    }
    m_countingSince = now;
    m_state = TimerState::running;
}

Seconds TimerEngine::pauseAsOf(Instant instant)
{
    if ((m_state != TimerState::running && m_state != TimerState::paused) || !m_startDate || !m_countingSince)
        return 0;
    const auto before = elapsed();
    // Never later than now, and never into a pause or before the start.
    const auto at = std::max(*m_countingSince, std::min(instant, m_clock->now()));
    if (m_mode == TimerMode::countdown) {
        const auto left = m_endDate ? std::clamp(*m_endDate - at, 0.0, m_totalDuration) : 0.0;
        // A paused run only goes back: a pause taken before the instant stays as it was.
        m_pausedRemaining = std::max(left, m_state == TimerState::paused ? m_pausedRemaining.value_or(0) : 0.0);
    } else {
        const auto counted = std::max(0.0, at - *m_startDate);
        m_pausedElapsed = m_state == TimerState::paused ? std::min(counted, m_pausedElapsed.value_or(0)) : counted;
    }
    m_state = TimerState::paused;
    return before - elapsed();
}

void TimerEngine::reset()
{
    *this = TimerEngine(m_mode, std::move(m_clock));
}

bool TimerEngine::refresh()
{
    if (m_mode == TimerMode::countUp || m_state != TimerState::running || !m_endDate)
        return false;
    if (m_clock->now() < *m_endDate)
        return false;
    m_state = TimerState::finished;
    if (m_completionReported)
        return false;
    m_completionReported = true;
    return true;
}

Seconds TimerEngine::remaining() const
{
    if (m_mode == TimerMode::countUp)
        return 0;
    switch (m_state) {
    case TimerState::idle:
        return m_totalDuration;
    case TimerState::running:
        return m_endDate ? std::max(0.0, *m_endDate - m_clock->now()) : 0.0;
    case TimerState::paused:
        return m_pausedRemaining.value_or(0);
    case TimerState::finished:
        return 0;
    }
    return 0;
}

Seconds TimerEngine::elapsed() const
{
    if (m_mode == TimerMode::countUp) {
        switch (m_state) {
        case TimerState::idle:
            return 0;
        case TimerState::running:
            return m_startDate ? std::max(0.0, m_clock->now() - *m_startDate) : 0.0;
        case TimerState::paused:
        case TimerState::finished:
            return m_pausedElapsed.value_or(0);
        }
        return 0;
    }
    switch (m_state) {
    case TimerState::idle:
        return 0;
    // A wall clock set back during a run could leave more than the whole length to go; elapsed
    // time never reads below zero, so a logged block can never have a negative length.
    case TimerState::running:
        return m_endDate ? std::max(0.0, m_totalDuration - std::max(0.0, *m_endDate - m_clock->now()))
                         : m_totalDuration;
    case TimerState::paused:
        return std::max(0.0, m_totalDuration - m_pausedRemaining.value_or(0));
    case TimerState::finished:
        return m_totalDuration;
    }
    return 0;
}

double TimerEngine::progress() const
{
    if (m_mode == TimerMode::countUp || !(m_totalDuration > 0))
        return 0;
    return std::clamp(elapsed() / m_totalDuration, 0.0, 1.0);
}

} // namespace veltrane
