#pragma once

#include "VeltraneKit/Audio/SoundEffect.h"

namespace veltrane {

// Plays the focus cycle's cues. SoundEffects is the real one; tests of its callers substitute a
// recording double.
//
// Main thread only.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    // Plays the cue after any cue still sounding; fails silently.
    virtual void play(SoundEffect effect) = 0;
};

} // namespace veltrane
