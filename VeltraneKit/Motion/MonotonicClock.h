#pragma once

#include "VeltraneKit/Time/Clock.h"

namespace veltrane {

// Seconds on the steady clock: animations measure elapsed time with it so that a change of the
// wall clock (a time zone switch, an NTP step) never jumps them.
class MonotonicClock final : public Clock {
public:
    Instant now() const override;
};

} // namespace veltrane
