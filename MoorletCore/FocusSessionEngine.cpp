#include "MoorletCore/FocusSessionEngine.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace moorlet {

using veltrane::TimerMode;

FocusSessionEngine::FocusSessionEngine(SessionMode mode, bool autoStartNext, veltrane::Seconds minLogThreshold,
    veltrane::ClockPtr clock)
    : m_mode(mode)
    , m_autoStartNext(autoStartNext)
    , m_minLogThreshold(minLogThreshold)
    , m_clock(std::move(clock))
    , m_timer(TimerMode::countdown, m_clock)
{
    assert(m_clock);
}

void FocusSessionEngine::setPhase(SessionPhase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    // A copy, so that a callback which replaces itself does not destroy the running closure.
    if (auto callback = onPhaseChange)
        callback(phase);
}

void FocusSessionEngine::startTimer(TimerMode mode, veltrane::Seconds duration, bool armed)
{
    m_timer = veltrane::TimerEngine(mode, m_clock);
    m_timer.start(duration);
    if (armed)
        m_timer.pause();
}

void FocusSessionEngine::beginFocus(Initiator initiator)
{
    m_focusStartDate = m_clock->now();
    m_focusTakenBack = false;
    const bool armed = initiator == Initiator::engine && !m_autoStartNext;
    switch (m_mode.kind()) {
    case SessionMode::Kind::pomodoro:
        startTimer(TimerMode::countdown, m_mode.pomodoroConfig()->focus, armed);
        break;
    case SessionMode::Kind::flowmodoro:
        startTimer(TimerMode::countUp, 0, armed);
        break;
    case SessionMode::Kind::untilTime:
        // The length is fixed now; a target in the past gives a block of no length.
        startTimer(TimerMode::countdown, std::max(0.0, *m_mode.untilTarget() - m_clock->now()), armed);
        break;
    }
    setPhase(SessionPhase::focusing);
}

void FocusSessionEngine::endFocus(Ending ending)
{
    const auto elapsed = m_timer.elapsed();
    const auto startDate = m_focusStartDate.value_or(m_clock->now());
    m_focusStartDate.reset();
    const bool completed = ending == Ending::completed;
    const bool longEnough = elapsed >= m_minLogThreshold;
    const bool takenBack = std::exchange(m_focusTakenBack, false);
    if ((completed && !takenBack) || longEnough) {
        if (auto callback = onFocusPhaseEnded)
            callback(CompletedFocusPhase(startDate, elapsed, completed, std::string(m_mode.name())));
    }
    ++m_completedFocusCount;
}

void FocusSessionEngine::advanceAfterFocus()
{
    switch (m_mode.kind()) {
    case SessionMode::Kind::pomodoro: {
        const auto config = *m_mode.pomodoroConfig();
        // The interval is public and writable; an interval below 1 must not divide by zero, so it
        // counts as 1 (every break long), as the configuration's constructor would have stored it.
        const auto interval = std::max(1, config.longBreakInterval);
        if (m_completedFocusCount % interval == 0)
            beginBreak(config.longBreak, BreakLength::longBreak);
        else
            beginBreak(config.shortBreak, BreakLength::shortBreak);
        break;
    }
    case SessionMode::Kind::flowmodoro:
        beginBreak(m_mode.flowmodoroConfig()->earnedBreak(m_timer.elapsed()), BreakLength::shortBreak);
        break;
    case SessionMode::Kind::untilTime:
        m_timer.reset();
        setPhase(SessionPhase::idle);
        break;
    }
}

void FocusSessionEngine::beginBreak(veltrane::Seconds duration, BreakLength length)
{
    startTimer(TimerMode::countdown, duration, !m_autoStartNext);
    setPhase(length == BreakLength::longBreak ? SessionPhase::longBreak : SessionPhase::shortBreak);
}

void FocusSessionEngine::beginFocusAfterBreak()
{
    // The long break closes a cycle: the next block starts a new count.
    if (m_phase == SessionPhase::longBreak)
        m_completedFocusCount = 0;
    beginFocus(Initiator::engine);
}

void FocusSessionEngine::start()
{
    if (m_phase == SessionPhase::idle)
        beginFocus(Initiator::user);
}

void FocusSessionEngine::tick()
{
    if (m_timer.refresh())
        endPhase(Ending::completed);
}

void FocusSessionEngine::skip()
{
    // Flowmodoro's focus counts up without end: skipping is how a block is finished.
    endPhase(m_mode.isFlowmodoro() ? Ending::completed : Ending::cutShort);
}

void FocusSessionEngine::endPhase(Ending focusEnding)
{
    switch (m_phase) {
    case SessionPhase::focusing:
        endFocus(focusEnding);
        advanceAfterFocus();
        break;
    case SessionPhase::shortBreak:
    case SessionPhase::longBreak:
        beginFocusAfterBreak();
        break;
    case SessionPhase::idle:
        break;
    }
}

veltrane::Seconds FocusSessionEngine::pauseAsOf(veltrane::Instant instant)
{
    if (m_phase != SessionPhase::focusing)
        return 0;
    const auto takenBack = m_timer.pauseAsOf(instant);
    if (takenBack > 0)
        m_focusTakenBack = true;
    return takenBack;
}

void FocusSessionEngine::stopEarly()
{
    if (m_phase == SessionPhase::focusing)
        endFocus(Ending::cutShort);
    reset();
}

void FocusSessionEngine::reset()
{
    m_timer.reset();
    m_focusStartDate.reset();
    m_focusTakenBack = false;
    m_completedFocusCount = 0;
    setPhase(SessionPhase::idle);
}

FocusSessionEngine::SuspendedSession FocusSessionEngine::suspend()
{
    const bool wasRunning = isRunning();
    m_timer.pause();
    return { m_mode, m_phase, m_completedFocusCount, m_timer, m_focusStartDate, wasRunning };
}

void FocusSessionEngine::restore(SuspendedSession session)
{
    m_mode = std::move(session.mode);
    m_completedFocusCount = session.completedFocusCount;
    m_timer = std::move(session.timer);
    if (session.wasRunning)
        m_timer.resume();
    m_focusStartDate = session.focusStartDate;
    setPhase(session.phase);
}

} // namespace moorlet
