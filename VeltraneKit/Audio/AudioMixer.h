#pragma once

#include "VeltraneKit/Audio/AudioGraph.h"
#include "VeltraneKit/Audio/AudioOutput.h"
#include "VeltraneKit/Time/OneShotScheduler.h"
#include "VeltraneKit/Audio/TrackSource.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace veltrane {

// The ambient mix: any number of tracks, each keyed by the catalogue id of its sound, each a live
// noise voice or a decoded file looping in memory, each through its own gain stage into one master
// gain and out through one output device.
//
// Every method but render() is called on the main thread; fade steps run there too. The device's
// audio thread only renders (see AudioGraph).
class AudioMixer {
public:
    // Every noise track starts from this seed, so two tracks of one kind play the same stream.
    static constexpr std::uint64_t kNoiseSeed = 0x2545F4914F6CDD1DULL;
    // A fade-in reaches its target in this many equal steps.
    static constexpr int kFadeSteps = 16;

    AudioMixer(std::unique_ptr<AudioOutput> output, std::shared_ptr<OneShotScheduler> mainQueue);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // Starts a track at volume (clamped to [0, 1]), fading in over fade seconds when fade > 0.
    // For an id already playing it only sets the level, at once, and ignores source. A file that
    // cannot be opened or decoded returns false and leaves nothing behind. Returns whether the
    // track exists afterwards.
    bool add(const std::string& id, const TrackSource& source, float volume, Seconds fade);
    // Sets a playing track's level at once, clamped to [0, 1]; an unknown id does nothing.
    void setVolume(float volume, const std::string& id);
    // The track's level, or 0 when there is no such track.
    float volume(const std::string& id) const;
    // Takes the track out at once (no fade). An unknown id does nothing.
    void remove(const std::string& id);
    bool isActive(const std::string& id) const;
    // The playing ids, in sorted order.
    std::vector<std::string> activeSoundIDs() const;

    float masterVolume() const { return m_graph.masterGain(); }
    // Clamped to [0, 1]; a value that is not a number becomes 0.
    void setMasterVolume(float volume);

    // Runs the device unless it runs already (a failure is swallowed: silence, and the next
    // start() tries again) and lets every file track play.
    void start();
    // Silences everything at once; tracks keep their places.
    void pause();
    // Removes every track and closes the device.
    void stopAll();
    // Whether the device runs.
    bool isRunning() const { return m_output->isRunning(); }

    // The render entry point: the device's audio thread calls it, and so may tests, benchmarks
    // and tools on one thread of their own while no device runs (an OfflineAudioOutput). Fills
    // interleaved stereo 32-bit float at 44100 Hz. Takes no lock and allocates nothing.
    void render(std::span<float> interleavedStereo) noexcept { m_graph.render(interleavedStereo); }

private:
    struct Track {
        std::shared_ptr<TrackVoice> voice;
        bool hasPlayer = false;
        float volume = 0;
    };

    void applyVolume(const std::shared_ptr<Track>& track, Seconds fade);
    void publishVoices();

    AudioGraph m_graph;
    std::shared_ptr<OneShotScheduler> m_mainQueue;
    std::map<std::string, std::shared_ptr<Track>> m_tracks;
    // Declared last so that it closes first: no render call may outlive the graph.
    std::unique_ptr<AudioOutput> m_output;
};

} // namespace veltrane
