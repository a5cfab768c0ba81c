#pragma once

namespace veltrane {

// How an animation came to its end. Every animation ends in exactly one of these, so that
// nothing waits on an animation that never ran.
enum class AnimationOutcome {
    completed,   // it ran its full course
    skipped,     // it was finished early or not run at all (instant mode); it landed on its target
    interrupted, // a new animation took over from where it was
};

} // namespace veltrane
