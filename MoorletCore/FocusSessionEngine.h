#pragma once

#include "MoorletCore/CompletedFocusPhase.h"
#include "MoorletCore/SessionMode.h"
#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/TimerEngine.h"

#include <functional>
#include <optional>

namespace moorlet {

// The state machine of a focus session. It walks through focus blocks and breaks by the current
// mode, owns the timer of the current phase (a new one for every phase), decides which break
// follows a focus block and reports every focus block worth logging through onFocusPhaseEnded.
// It knows nothing of storage, sound or views: its owner drives it with tick() about twice a
// second and reads the live values (remaining, elapsed, progress) after each call.
//
// Not thread-safe; callbacks run synchronously inside the operation that caused them.
class FocusSessionEngine {
public:
    FocusSessionEngine(SessionMode mode, bool autoStartNext, veltrane::Seconds minLogThreshold,
        veltrane::ClockPtr clock);
    FocusSessionEngine(const FocusSessionEngine&) = delete;
    FocusSessionEngine& operator=(const FocusSessionEngine&) = delete;

    // Mode, auto-start and threshold take effect when the next phase begins or the current
    // focus block ends, never at once.
    const SessionMode& mode() const { return m_mode; }
    void setMode(const SessionMode& mode) { m_mode = mode; }
    // Whether a phase entered automatically runs at once; when false it waits, armed and paused,
    // for resume().
    bool autoStartNext() const { return m_autoStartNext; }
    void setAutoStartNext(bool autoStartNext) { m_autoStartNext = autoStartNext; }
    // A focus block cut short is reported only when at least this long.
    veltrane::Seconds minLogThreshold() const { return m_minLogThreshold; }
    void setMinLogThreshold(veltrane::Seconds threshold) { m_minLogThreshold = threshold; }

    SessionPhase phase() const { return m_phase; }
    // Focus blocks ended since the cycle began; decides the long breaks.
    int completedFocusCount() const { return m_completedFocusCount; }

    // Told of every reported focus block, while the phase is still focusing.
    std::function<void(const CompletedFocusPhase&)> onFocusPhaseEnded;
    // Told of every change of phase, after the new phase's timer has started.
    std::function<void(SessionPhase)> onPhaseChange;

    veltrane::Seconds remaining() const { return m_timer.remaining(); }
    veltrane::Seconds elapsed() const { return m_timer.elapsed(); }
    double progress() const { return m_timer.progress(); }
    bool isRunning() const { return m_timer.state() == veltrane::TimerState::running; }
    bool isPaused() const { return m_timer.state() == veltrane::TimerState::paused; }
    bool isActive() const { return m_phase != SessionPhase::idle; }
    // The current phase's timer, for its mode and anchored dates.
    const veltrane::TimerEngine& timer() const { return m_timer; }

    // Begins a running focus block from idle; does nothing in any other phase.
    void start();
    // Ends the current phase when its countdown has run out and moves to the next one.
    void tick();
    // Ends the current phase now: a focus block is reported (completed only in Flowmodoro, where
    // skipping is how a block ends) and its break follows; a break gives way to the next block.
    void skip();
    // Ends the session: a focus block long enough is reported as cut short; back to idle.
    void stopEarly();
    // Ends the session reporting nothing; back to idle.
    void reset();
    void pause() { m_timer.pause(); }
    void resume() { m_timer.resume(); }
    // Pauses the focus block as of an earlier instant (when its user walked away), so the time
    // since stops counting as focus; never before the block began or its last resume. Breaks are
    // left alone. A block taken back below the log threshold is not logged when it ends, even
    // when it ends completed. Returns the seconds taken back.
    veltrane::Seconds pauseAsOf(veltrane::Instant instant);

    // A session put away whole, to be taken up again exactly where it was.
    struct SuspendedSession {
        SessionMode mode;
        SessionPhase phase;
        int completedFocusCount;
        veltrane::TimerEngine timer;
        std::optional<veltrane::Instant> focusStartDate;
        bool wasRunning;
    };
    // Freezes the current phase's timer and hands out the whole session. The engine keeps it,
    // paused, until its owner resets or replaces it.
    SuspendedSession suspend();
    // Takes a suspended session up again: its mode, phase and timer come back, and a timer that
    // was running runs on from now, so the time it spent put away counts for nothing. The change
    // of phase is reported like any other.
    void restore(SuspendedSession session);

private:
    enum class Initiator { user, engine };
    enum class Ending { completed, cutShort };
    enum class BreakLength { shortBreak, longBreak };

    void beginFocus(Initiator initiator);
    void endFocus(Ending ending);
    void advanceAfterFocus();
    void beginBreak(veltrane::Seconds duration, BreakLength length);
    void beginFocusAfterBreak();
    // Moves on from the current phase; a focus block ends as given.
    void endPhase(Ending focusEnding);
    void startTimer(veltrane::TimerMode mode, veltrane::Seconds duration, bool armed);
    void setPhase(SessionPhase phase);

    SessionMode m_mode;
    bool m_autoStartNext;
    veltrane::Seconds m_minLogThreshold;
    SessionPhase m_phase = SessionPhase::idle;
    int m_completedFocusCount = 0;
    veltrane::ClockPtr m_clock;
    veltrane::TimerEngine m_timer;
    std::optional<veltrane::Instant> m_focusStartDate;
    // Whether time was taken back from the current focus block.
    bool m_focusTakenBack = false;
};

} // namespace moorlet
