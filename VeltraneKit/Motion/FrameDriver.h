#pragma once

#include <functional>

namespace veltrane {

// The source of display frames for a FrameTicker: the Qt implementation is a precise timer at
// the display rate; tests drive frames by hand with ManualFrameDriver. A driver calls the
// handler on the thread that started it.
class FrameDriver {
public:
    virtual ~FrameDriver() = default;
    virtual void start(std::function<void()> onFrame) = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
};

} // namespace veltrane
