#pragma once

namespace veltrane {

// Where a timer's run stands. Case order matters: it is the order of the declaration.
enum class TimerState {
    idle,
    running,
    paused,
    finished,
};

} // namespace veltrane
