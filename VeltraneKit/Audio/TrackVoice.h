#pragma once

#include "VeltraneKit/Audio/SourceNode.h"

#include <atomic>

namespace veltrane {

// One track of the audio graph as the audio thread sees it: a source feeding a gain stage. The
// main thread sets the gain and whether the source plays; the audio thread reads both once per
// block and pulls the source.
class TrackVoice {
public:
    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(std::atomic<bool>::is_always_lock_free);

    // A voice starts at gain 0; playing says whether the source is pulled yet.
    TrackVoice(SourceNode source, bool playing)
        : m_source(std::move(source))
        , m_playing(playing)
    {
    }

    // Any thread.
    void setGain(float gain) { m_gain.store(gain, std::memory_order_relaxed); }
    float gain() const { return m_gain.load(std::memory_order_relaxed); }
    void setPlaying(bool playing) { m_playing.store(playing, std::memory_order_relaxed); }
    bool isPlaying() const { return m_playing.load(std::memory_order_relaxed); }

    // Audio thread only.
    void pull(std::span<float* const> channels, std::size_t frameCount) { m_source(channels, frameCount); }

private:
    SourceNode m_source;
    std::atomic<float> m_gain { 0.0f };
    std::atomic<bool> m_playing;
};

} // namespace veltrane
