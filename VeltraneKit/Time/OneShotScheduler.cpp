#include "VeltraneKit/Time/OneShotScheduler.h"

namespace veltrane {

void ScheduledTask::cancel()
{
    if (m_state)
        m_state->cancelled = true;
}

bool ScheduledTask::isPending() const
{
    return m_state && !m_state->cancelled && !m_state->finished;
}

ScheduledTask OneShotScheduler::schedule(Seconds delay, std::function<void()> work)
{
    auto state = std::make_shared<ScheduledTask::State>();
    enqueue(delay, [state, work = std::move(work)] {
        if (state->cancelled || state->finished)
            return;
        state->finished = true;
        work();
    });
    return ScheduledTask(state);
}

} // namespace veltrane
