#include "VeltraneKit/Motion/MonotonicClock.h"

#include <chrono>

namespace veltrane {

Instant MonotonicClock::now() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace veltrane
