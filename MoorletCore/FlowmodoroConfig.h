#pragma once

#include "VeltraneKit/Time/Clock.h"

namespace moorlet {

// How a Flowmodoro break is earned: the focus time divided by divisor, kept within
// [minBreak, maxBreak].
struct FlowmodoroConfig {
    double divisor = 5;
    veltrane::Seconds minBreak = 60;
    veltrane::Seconds maxBreak = 1800;

    // The default configuration is the standard one.
    FlowmodoroConfig() = default;
    // A divisor that is not greater than zero (NaN included) becomes 5; a maximum below the
    // minimum is raised to the minimum.
    FlowmodoroConfig(double divisor, veltrane::Seconds minBreak, veltrane::Seconds maxBreak);

    // Divisor 5, breaks between one minute and half an hour.
    static FlowmodoroConfig standard() { return {}; }

    // The break earned by the given focus time: whole seconds of focus / divisor, raised to
    // minBreak, then capped at maxBreak.
    veltrane::Seconds earnedBreak(veltrane::Seconds forFocus) const;

    bool operator==(const FlowmodoroConfig&) const = default;
};

} // namespace moorlet
