#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <functional>

namespace veltrane {

// The source of display frames for a FrameTicker: the Qt implementation is a precise timer at
// the display rate; tests drive frames by hand with ManualFrameDriver. A driver calls the
// handler on the thread that started it.
class FrameDriver {
public:
    // The time between two display frames.
    static constexpr Seconds kDisplayInterval = 1.0 / 60;

    virtual ~FrameDriver() = default;
    virtual void start(std::function<void()> onFrame) = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
    // Frames may come this far apart (never closer than the display's): what the ticker asks
    // for while only slow animations run. Takes effect at once, running or not.
    virtual void setInterval(Seconds interval) = 0;
};

} // namespace veltrane
