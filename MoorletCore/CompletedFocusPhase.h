#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <string>

namespace moorlet {

// A focus block that ended and is worth logging.
struct CompletedFocusPhase {
    // When the block was begun (armed blocks included).
    veltrane::Instant startDate = 0;
    // Focus time actually counted, pauses excluded.
    veltrane::Seconds duration = 0;
    // The block ran to its end (or, in Flowmodoro, was ended by skipping) rather than being cut short.
    bool completed = false;
    // The name of the mode it ran in: "pomodoro", "flowmodoro" or "untilTime".
    std::string mode;

    CompletedFocusPhase() = default;
    CompletedFocusPhase(veltrane::Instant startDate, veltrane::Seconds duration, bool completed, std::string mode)
        : startDate(startDate)
        , duration(duration)
        , completed(completed)
        , mode(std::move(mode))
    {
    }

    bool operator==(const CompletedFocusPhase&) const = default;
};

} // namespace moorlet
