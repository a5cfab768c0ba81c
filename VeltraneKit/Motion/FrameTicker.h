#pragma once

#include "VeltraneKit/Motion/FrameDriver.h"
#include "VeltraneKit/Time/Clock.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace veltrane {

class Animator;

// The one frame clock that every animation of a window hierarchy shares. It runs its driver
// only while at least one animator is attached, so an idle window wakes nothing. Animations that
// ask for fewer frames (Animation::atFrameRate) are advanced only that often, all of one rate on
// the same frames, and while nothing else runs the driver slows down to match. The clock is
// injected: tests step a TestClock and deliver frames by hand.
class FrameTicker {
public:
    enum class Mode {
        animated,
        instant, // every animation lands on its target at once (reduce motion)
    };

    FrameTicker(ClockPtr clock, std::unique_ptr<FrameDriver> driver);
    ~FrameTicker();
    FrameTicker(const FrameTicker&) = delete;
    FrameTicker& operator=(const FrameTicker&) = delete;

    Instant now() const { return m_clock->now(); }
    const ClockPtr& clock() const { return m_clock; }

    Mode mode() const { return m_mode; }
    // Switching to instant finishes every running animation at once (as skipped).
    void setMode(Mode mode);

    bool isRunning() const { return m_driver->isRunning(); }
    std::size_t animatorCount() const { return m_animators.size(); }
    // Frames delivered so far, for tests that check that idle means idle.
    std::uint64_t frameCount() const { return m_frames; }

    // One frame: advances every attached animator to the clock's time.
    void tick();

private:
    friend class Animator;
    // The last frame given to the animations of one reduced rate.
    struct Cadence {
        Seconds interval = 0;
        Instant lastFrame = 0;
    };

    void attach(Animator* animator);
    void detach(Animator* animator);
    bool isAttached(const Animator* animator) const;
    Cadence* cadenceOf(Seconds interval);
    bool isDue(Seconds interval, Instant frameTime);
    // Sets the driver's pace for the animators attached now.
    void updateInterval();

    ClockPtr m_clock;
    std::unique_ptr<FrameDriver> m_driver;
    std::vector<Animator*> m_animators;
    std::vector<Cadence> m_cadences;
    Seconds m_interval = FrameDriver::kDisplayInterval;
    Mode m_mode = Mode::animated;
    std::uint64_t m_frames = 0;
};

} // namespace veltrane
