#pragma once

#include "VeltraneKit/Motion/AnimationOutcome.h"
#include "VeltraneKit/Time/Clock.h"

#include <functional>

namespace veltrane {

class FrameTicker;

// Something that changes with every frame while it runs: the base of AnimatedValue and
// KeyframePlayer. It is attached to its ticker only while running, so an idle view costs no frames.
class Animator {
public:
    explicit Animator(FrameTicker& ticker);
    virtual ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    FrameTicker& ticker() const { return *m_ticker; }
    bool animating() const { return m_attached; }
    // How often the running animation asks to be advanced: 0 for every frame the ticker
    // delivers, else at most once per interval (Animation::atFrameRate).
    Seconds frameInterval() const { return m_frameInterval; }

    // Called on every frame while running and once more when it ends: views repaint here.
    std::function<void()> onFrame;
    // Called once when a run ends, however it ends.
    std::function<void(AnimationOutcome)> onFinished;

protected:
    // Joins the ticker's frames (starting the ticker if it was idle).
    void attach();
    // Ends the current run: leaves the ticker, lands on the target unless interrupted, then
    // calls onFrame for the final look (not when interrupted: the next run paints) and
    // onFinished with the outcome.
    void finishRun(AnimationOutcome outcome);
    // Frame time as the ticker reports it.
    Instant now() const;
    // Set before attach(): the ticker looks at it when the animator joins.
    void setFrameInterval(Seconds interval) { m_frameInterval = interval; }

    // Updates to the frame time; returns false once the run has reached its end.
    virtual bool advance(Instant now) = 0;
    // Puts the animated state on the run's end state.
    virtual void land() = 0;

private:
    friend class FrameTicker;
    void detach();

    FrameTicker* m_ticker;
    bool m_attached = false;
    Seconds m_frameInterval = 0;
};

} // namespace veltrane
