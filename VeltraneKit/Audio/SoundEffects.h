#pragma once

#include "VeltraneKit/Audio/AudioOutput.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Time/OneShotScheduler.h"
#include "VeltraneKit/Audio/SpscQueue.h"
#include "VeltraneKit/Audio/StereoBuffer.h"

#include <cstddef>
#include <memory>
#include <span>

namespace veltrane {

// The cues, synthesised on demand as a few bell-like partials and played on an output of their
// own, apart from the ambient mix. Cues queue: each one starts when the one before has ended.
//
// play() is called on the main thread; render() runs on the output's audio thread. Rendered
// cues go to the audio thread through one wait-free queue and come back through another, so
// they are freed on the main thread.
class SoundEffects final : public CuePlayer {
public:
    static constexpr int kSampleRate = StereoBuffer::kSampleRate;
    // Cues waiting or sounding at most; a play() beyond that is dropped.
    static constexpr std::size_t kQueueCapacity = 8;

    // With a scheduler, the output is closed again once every queued cue has played, so no
    // device stays open (and no audio thread keeps waking) between cues.
    explicit SoundEffects(std::unique_ptr<AudioOutput> output, std::shared_ptr<OneShotScheduler> queue = nullptr);
    ~SoundEffects() override;
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Renders the cue, starts the output if it is not running and queues the cue. When the output
    // cannot start the cue is dropped without a word and the next play() tries again.
    void play(SoundEffect effect) override;

    // The cue as played: both channels alike, every sample within [-0.55, 0.55].
    static StereoBuffer makeBuffer(SoundEffect effect);

    // The render entry point: the output's audio thread calls it, and so may tests on one thread
    // of their own while no device runs. Plays queued cues back to back, silence after them.
    void render(std::span<float> interleavedStereo) noexcept;

    bool isRunning() const { return m_output->isRunning(); }

    // Closes the output when no cue is waiting or sounding. play() arranges this through the main
    // queue after the last cue's end.
    void checkIdleAfter(double seconds);
    void stopWhenIdle();

private:
    void releaseFinished();

    SpscQueue<StereoBuffer*, kQueueCapacity> m_queued;
    SpscQueue<StereoBuffer*, kQueueCapacity> m_finished;
    // Main thread: cues handed over and not yet released.
    std::size_t m_inFlight = 0;
    // Audio thread: the cue sounding and the next frame of it.
    StereoBuffer* m_current = nullptr;
    std::size_t m_position = 0;
    std::shared_ptr<OneShotScheduler> m_queue;
    // Shared with the queued idle checks so that they do nothing once the player is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    // Declared last so that it closes first.
    std::unique_ptr<AudioOutput> m_output;
};

} // namespace veltrane
