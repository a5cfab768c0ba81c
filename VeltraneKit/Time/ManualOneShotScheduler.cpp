#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include <algorithm>

namespace veltrane {

void ManualOneShotScheduler::enqueue(Seconds delay, std::function<void()> run)
{
    m_queue.push_back({ m_now + std::max(0.0, delay), m_nextSequence++, std::move(run) });
}

void ManualOneShotScheduler::advance(Seconds by)
{
    const Seconds target = m_now + by;
    while (true) {
        auto next = std::min_element(m_queue.begin(), m_queue.end(), [](const Entry& a, const Entry& b) {
            return a.due < b.due || (a.due == b.due && a.sequence < b.sequence);
        });
        if (next == m_queue.end() || next->due > target)
            break;
        // Time stands at the moment the work falls due while it runs, so work it schedules is
        // timed from there. It is taken out first because running may schedule more.
        m_now = std::max(m_now, next->due);
        auto run = std::move(next->run);
        m_queue.erase(next);
        run();
    }
    m_now = target;
}

} // namespace veltrane
