#include "VeltraneKit/Audio/TestMainQueue.h"

#include <algorithm>

namespace veltrane {

void TestMainQueue::schedule(Seconds delay, std::function<void()> task)
{
    m_tasks.emplace(std::make_pair(m_now + std::max(delay, 0.0), m_nextSequence++), std::move(task));
}

void TestMainQueue::advance(Seconds by)
{
    const auto target = m_now + by;
    while (!m_tasks.empty() && m_tasks.begin()->first.first <= target) {
        auto node = m_tasks.extract(m_tasks.begin());
        m_now = node.key().first;
        node.mapped()();
    }
    m_now = target;
}

} // namespace veltrane
