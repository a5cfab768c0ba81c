#pragma once

#include <chrono>
#include <memory>

namespace veltrane {

// An instant is seconds since the Unix epoch on the system (wall) clock, in double precision.
using Instant = double;
// A duration is seconds in double precision.
using Seconds = double;

// The source of the current time. Every component that needs the time reads it through a shared
// Clock so that tests can substitute a TestClock and step it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Instant now() const = 0;
};

// The wall clock. The application creates its engines with one of these.
class SystemClock final : public Clock {
public:
    Instant now() const override
    {
        using namespace std::chrono;
        return duration<double>(system_clock::now().time_since_epoch()).count();
    }
};

// A clock that moves only when told to. Every holder of the same TestClock sees each change at once.
class TestClock final : public Clock {
public:
    explicit TestClock(Instant now)
        : m_current(now)
    {
    }

    Instant now() const override { return m_current; }
    void advance(Seconds by) { m_current += by; }
    void set(Instant to) { m_current = to; }

private:
    Instant m_current;
};

using ClockPtr = std::shared_ptr<Clock>;

} // namespace veltrane
