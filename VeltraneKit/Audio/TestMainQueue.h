#pragma once

#include "VeltraneKit/Audio/MainQueue.h"

#include <cstdint>
#include <map>
#include <utility>

namespace veltrane {

// A main queue whose time moves only when told to, for tests: advance() runs every task that
// falls due, in order of due time and then of scheduling, including tasks scheduled meanwhile.
class TestMainQueue final : public MainQueue {
public:
    void schedule(Seconds delay, std::function<void()> task) override;

    void advance(Seconds by);
    // Seconds advanced since creation.
    Seconds now() const { return m_now; }
    std::size_t pendingCount() const { return m_tasks.size(); }

private:
    Seconds m_now = 0;
    std::uint64_t m_nextSequence = 0;
    std::map<std::pair<Seconds, std::uint64_t>, std::function<void()>> m_tasks;
};

} // namespace veltrane
