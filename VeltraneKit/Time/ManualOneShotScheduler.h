#pragma once

#include "VeltraneKit/Time/OneShotScheduler.h"

#include <cstdint>
#include <vector>

namespace veltrane {

// A scheduler whose time moves only when told to, for tests: work runs inside advance(), in the
// order it falls due (work due at the same moment in the order it was scheduled).
class ManualOneShotScheduler final : public OneShotScheduler {
public:
    // Moves time on by `by` seconds and runs everything that falls due, including work scheduled
    // by that work if it too falls due (timed from the moment the scheduling work fell due).
    void advance(Seconds by);
    Seconds elapsed() const { return m_now; }
    // Queued work, cancelled work included until its time passes.
    std::size_t queuedCount() const { return m_queue.size(); }

protected:
    void enqueue(Seconds delay, std::function<void()> run) override;

private:
    struct Entry {
        Seconds due;
        std::uint64_t sequence;
        std::function<void()> run;
    };
    std::vector<Entry> m_queue;
    Seconds m_now = 0;
    std::uint64_t m_nextSequence = 0;
};

} // namespace veltrane
