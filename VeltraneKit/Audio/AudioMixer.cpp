#include "VeltraneKit/Audio/AudioMixer.h"

#include "VeltraneKit/Audio/AudioFileDecoder.h"
#include "VeltraneKit/Audio/LoopingPlayer.h"
#include "VeltraneKit/Audio/NoiseGenerator.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

float clampedLevel(float level)
{
    if (!(level >= 0.0f))
        return 0.0f; // also a value that is not a number
    return std::min(level, 1.0f);
}

} // namespace

AudioMixer::AudioMixer(std::unique_ptr<AudioOutput> output, std::shared_ptr<OneShotScheduler> mainQueue)
    : m_mainQueue(std::move(mainQueue))
    , m_output(std::move(output))
{
    m_output->setRenderCallback([this](std::span<float> samples) { m_graph.render(samples); });
}

AudioMixer::~AudioMixer()
{
    m_output->stop();
}

bool AudioMixer::add(const std::string& id, const TrackSource& source, float volume, Seconds fade)
{
    if (auto existing = m_tracks.find(id); existing != m_tracks.end()) {
        setVolume(volume, id);
        return true;
    }

    auto track = std::make_shared<Track>();
    track->volume = volume;
    if (auto kind = source.noiseKind()) {
        track->voice = std::make_shared<TrackVoice>(NoiseGenerator::makeSourceNode(*kind, kNoiseSeed), true);
    } else {
        auto buffer = source.buffer();
        if (!buffer) {
            auto decoded = AudioFileDecoder::decode(*source.filePath());
            if (!decoded)
                return false;
            buffer = std::make_shared<const StereoBuffer>(std::move(*decoded));
        }
        // A file player waits for play(): at once when the device runs, else at the next start().
        track->voice = std::make_shared<TrackVoice>(LoopingPlayer(std::move(buffer)), false);
        track->hasPlayer = true;
    }

    m_tracks.emplace(id, track);
    applyVolume(track, fade);
    publishVoices();
    if (track->hasPlayer && m_output->isRunning())
        track->voice->setPlaying(true);
    return true;
}

void AudioMixer::setVolume(float volume, const std::string& id)
{
    auto found = m_tracks.find(id);
    if (found == m_tracks.end())
        return;
    auto& track = *found->second;
    track.volume = clampedLevel(volume);
    track.voice->setGain(track.volume);
}

float AudioMixer::volume(const std::string& id) const
{
    auto found = m_tracks.find(id);
    return found == m_tracks.end() ? 0.0f : found->second->volume;
}

void AudioMixer::remove(const std::string& id)
{
    auto found = m_tracks.find(id);
    if (found == m_tracks.end())
        return;
    m_tracks.erase(found);
    publishVoices();
}

bool AudioMixer::isActive(const std::string& id) const
{
    return m_tracks.contains(id);
}

std::vector<std::string> AudioMixer::activeSoundIDs() const
{
    std::vector<std::string> ids;
    ids.reserve(m_tracks.size());
    for (const auto& [id, track] : m_tracks)
        ids.push_back(id);
    return ids;
}

void AudioMixer::setMasterVolume(float volume)
{
    m_graph.setMasterGain(clampedLevel(volume));
}

void AudioMixer::start()
{
    if (!m_output->isRunning())
        m_output->start();
    for (const auto& [id, track] : m_tracks) {
        if (track->hasPlayer)
            track->voice->setPlaying(true);
    }
}

void AudioMixer::pause()
{
    m_output->pause();
}

void AudioMixer::stopAll()
{
    m_tracks.clear();
    publishVoices();
    m_output->stop();
}

void AudioMixer::applyVolume(const std::shared_ptr<Track>& track, Seconds fade)
{
    const auto target = clampedLevel(track->volume);
    track->volume = target;
    if (!(fade > 0)) {
        track->voice->setGain(target);
        return;
    }
    track->voice->setGain(0.0f);
    // The steps hold the track weakly: once it is removed they do nothing. They are not
    // cancelled by later calls, so a setVolume during the fade is overridden by the next step.
    const std::weak_ptr<Track> weakTrack = track;
    for (int step = 1; step <= kFadeSteps; ++step) {
        const auto fraction = static_cast<float>(step) / kFadeSteps;
        m_mainQueue->schedule(fraction * fade, [weakTrack, level = target * fraction] {
            if (auto track = weakTrack.lock())
                track->voice->setGain(level);
        });
    }
}

void AudioMixer::publishVoices()
{
    AudioGraph::VoiceList voices;
    voices.reserve(m_tracks.size());
    for (const auto& [id, track] : m_tracks)
        voices.push_back(track->voice);
    m_graph.setVoices(std::move(voices));
}

} // namespace veltrane
