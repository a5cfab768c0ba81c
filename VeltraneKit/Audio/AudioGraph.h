#pragma once

#include "VeltraneKit/Audio/TrackVoice.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace veltrane {

// The render side of the ambient mix: every playing voice through its own gain stage, summed
// into one master gain, rendered as interleaved stereo 32-bit float at 44100 Hz.
//
// The main thread hands the audio thread an immutable voice list through one atomic pointer:
// the audio thread takes the list out for the length of one render call and puts it back; the
// main thread swaps a new list in only while the old one is back in place, and frees the old
// one (and any voice no list holds any more) on its own thread. Gains are atomics. So the audio
// thread takes no lock, allocates nothing and never waits; the main thread waits at most for
// one render call in progress.
class AudioGraph {
public:
    static constexpr int kChannelCount = 2;
    static constexpr int kSampleRate = 44100;
    // Longer requests are rendered in blocks of this many frames.
    static constexpr std::size_t kMaxBlockFrames = 1024;

    using VoiceList = std::vector<std::shared_ptr<TrackVoice>>;

    static_assert(std::atomic<const VoiceList*>::is_always_lock_free);
    static_assert(std::atomic<float>::is_always_lock_free);

    AudioGraph();
    ~AudioGraph();
    AudioGraph(const AudioGraph&) = delete;
    AudioGraph& operator=(const AudioGraph&) = delete;

    // Main thread. The voices rendered from the next block on.
    void setVoices(VoiceList voices);
    const VoiceList& voices() const { return *m_current; }

    // Any thread; the gain every voice's sum is multiplied by.
    void setMasterGain(float gain) { m_masterGain.store(gain, std::memory_order_relaxed); }
    float masterGain() const { return m_masterGain.load(std::memory_order_relaxed); }

    // Audio thread, or any single thread while no device renders: fills output (interleaved
    // stereo, so output.size() / 2 frames). Never called from two threads at once.
    void render(std::span<float> output) noexcept;

private:
    void renderBlock(const VoiceList& voices, float* output, std::size_t frameCount) noexcept;

    // Null while the audio thread renders from it.
    std::atomic<const VoiceList*> m_published;
    // The list last published, as the main thread knows it.
    const VoiceList* m_current;
    std::atomic<float> m_masterGain { 1.0f };

    // Audio thread only.
    std::array<float, kMaxBlockFrames> m_mixLeft {};
    std::array<float, kMaxBlockFrames> m_mixRight {};
    std::array<float, kMaxBlockFrames> m_sourceLeft {};
    std::array<float, kMaxBlockFrames> m_sourceRight {};
};

} // namespace veltrane
