#pragma once

#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/TimerMode.h"
#include "VeltraneKit/Time/TimerState.h"

#include <optional>

namespace veltrane {

// One timer run: a countdown of a fixed length or an open-ended count-up, which can be paused,
// resumed and reset. It keeps absolute instants rather than a running counter and computes every
// reading from its clock on demand, so missed or late ticks and a machine that slept change
// nothing: while running, wall time counts (sleep included); while paused, none does.
//
// A value type: copying it copies the run (both copies share the clock). Not thread-safe; its
// owner serialises access.
class TimerEngine {
public:
    TimerEngine(TimerMode mode, ClockPtr clock);

    // Begins a new run from any state. A countdown takes the duration (negative or NaN counts as
    // 0); a count-up ignores it.
    void start(Seconds duration);
    // Freezes a running run; does nothing in any other state.
    void pause();
    // Freezes the run as it stood at an earlier instant, giving back the time counted since: a
    // running run pauses there, a paused one goes back there if it was still counting then. The
    // instant is clamped to the stretch the run has been counting without a break (since its start
    // or last resume), so time that never counted is never taken back twice. Idle and finished
    // runs are left alone. Returns the seconds taken back.
    Seconds pauseAsOf(Instant instant);
    // Continues a paused run from now; does nothing in any other state.
    void resume();
    // Back to a fresh idle timer of the same mode and clock.
    void reset();
    // Notices that a running countdown has reached its end: the state becomes finished, and the
    // first call that sees it returns true. Every other call, and every call on a count-up,
    // returns false.
    bool refresh();

    TimerMode mode() const { return m_mode; }
    TimerState state() const { return m_state; }
    const ClockPtr& clock() const { return m_clock; }

    // Time left of a countdown; 0 for a count-up.
    Seconds remaining() const;
    // Time counted so far, pauses excluded.
    Seconds elapsed() const;
    // Share of a countdown that has passed, 0…1; 0 for a count-up or a countdown of no length.
    double progress() const;
    bool isFinished() const { return m_state == TimerState::finished; }
    // The countdown's length; 0 for a count-up.
    Seconds duration() const { return m_totalDuration; }
    // The stored anchors, for views that render a self-updating clock from absolute instants:
    // a count-up began counting at the start date; a countdown reaches zero at the end date.
    std::optional<Instant> anchoredStartDate() const { return m_startDate; }
    std::optional<Instant> anchoredEndDate() const { return m_endDate; }

private:
    TimerMode m_mode;
    ClockPtr m_clock;
    TimerState m_state = TimerState::idle;
    std::optional<Instant> m_startDate;
    std::optional<Instant> m_endDate;
    // When the run last started or resumed: the earliest instant pauseAsOf() may go back to.
    std::optional<Instant> m_countingSince;
    Seconds m_totalDuration = 0;
    std::optional<Seconds> m_pausedRemaining;
    std::optional<Seconds> m_pausedElapsed;
    bool m_completionReported = false;
};

} // namespace veltrane
