#pragma once

#include "VeltraneKit/Time/Clock.h"

namespace moorlet {

// The durations of a Pomodoro cycle. Every field may be written directly, but a writer must keep
// longBreakInterval at 1 or more; the constructor enforces that for everything built through it.
struct PomodoroConfig {
    veltrane::Seconds focus = 1500;
    veltrane::Seconds shortBreak = 300;
    veltrane::Seconds longBreak = 900;
    // A long break follows every focus block whose running count is a multiple of this number.
    int longBreakInterval = 4;

    // The default configuration is the standard one.
    PomodoroConfig() = default;
    // Keeps the durations as given; an interval below 2 becomes 1.
    PomodoroConfig(veltrane::Seconds focus, veltrane::Seconds shortBreak, veltrane::Seconds longBreak,
        int longBreakInterval);

    // 25 minutes of focus, 5-minute short breaks, a 15-minute long break after every 4th block.
    static PomodoroConfig standard() { return {}; }

    bool operator==(const PomodoroConfig&) const = default;
};

} // namespace moorlet
