#pragma once

namespace veltrane {

// The four cues of the focus cycle.
enum class SoundEffect {
    focusStart,
    focusEnd,
    breakEnd,
    goal,
};

} // namespace veltrane
