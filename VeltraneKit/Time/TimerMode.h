#pragma once

namespace veltrane {

// Whether a timer counts a fixed length down to zero or counts up without end.
enum class TimerMode {
    countdown,
    countUp,
};

} // namespace veltrane
