#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <functional>

namespace veltrane {

// Delayed work on the main thread: a task runs once, on the main thread, after at least the
// given delay. Tasks are never cancelled; one that must not outlive its object holds it weakly.
//
// Main thread only.
class MainQueue {
public:
    virtual ~MainQueue() = default;
    virtual void schedule(Seconds delay, std::function<void()> task) = 0;
};

} // namespace veltrane
