#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <functional>
#include <memory>

namespace veltrane {

// A handle on work scheduled with a OneShotScheduler. Copies share the same work. An empty
// handle (default-constructed) is never pending.
class ScheduledTask {
public:
    ScheduledTask() = default;

    // The work will not run. Harmless once it has run or was cancelled.
    void cancel();
    // Scheduled, not yet run and not cancelled.
    bool isPending() const;

private:
    friend class OneShotScheduler;
    struct State {
        bool cancelled = false;
        bool finished = false;
    };
    explicit ScheduledTask(std::shared_ptr<State> state)
        : m_state(std::move(state))
    {
    }
    std::shared_ptr<State> m_state;
};

// Runs work once, a delay from now, on the main thread's event loop. The application uses
// QtOneShotScheduler; tests use ManualOneShotScheduler and step its time.
//
// Main thread only.
class OneShotScheduler {
public:
    virtual ~OneShotScheduler() = default;

    ScheduledTask schedule(Seconds delay, std::function<void()> work);

protected:
    // Runs `run` once, `delay` seconds from now. Cancellation is handled by the caller.
    virtual void enqueue(Seconds delay, std::function<void()> run) = 0;
};

using OneShotSchedulerPtr = std::shared_ptr<OneShotScheduler>;

} // namespace veltrane
