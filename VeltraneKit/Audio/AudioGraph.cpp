#include "VeltraneKit/Audio/AudioGraph.h"

#include <algorithm>
#include <thread>

namespace veltrane {

AudioGraph::AudioGraph()
    : m_current(new VoiceList())
{
    m_published.store(m_current, std::memory_order_release);
}

AudioGraph::~AudioGraph()
{
    // The owner has stopped the device, so no render call can hold the list.
    delete m_current;
}

void AudioGraph::setVoices(VoiceList voices)
{
    const auto* next = new VoiceList(std::move(voices));
    auto expected = m_current;
    while (!m_published.compare_exchange_weak(expected, next, std::memory_order_acq_rel)) {
        // The audio thread holds the list for the rest of one render call.
        expected = m_current;
        std::this_thread::yield();
    }
    delete m_current;
    m_current = next;
}

void AudioGraph::render(std::span<float> output) noexcept
{
    const auto* voices = m_published.exchange(nullptr, std::memory_order_acquire);
    if (!voices) {
        // Only a second, concurrent renderer gets here; it renders silence and leaves the list
        // to the first.
        std::fill(output.begin(), output.end(), 0.0f);
        return;
    }
    const auto frameCount = output.size() / kChannelCount;
    for (std::size_t done = 0; done < frameCount;) {
        const auto block = std::min(kMaxBlockFrames, frameCount - done);
        renderBlock(*voices, output.data() + done * kChannelCount, block);
        done += block;
    }
    std::fill(output.begin() + static_cast<std::ptrdiff_t>(frameCount * kChannelCount), output.end(), 0.0f);
    m_published.store(voices, std::memory_order_release);
}

void AudioGraph::renderBlock(const VoiceList& voices, float* output, std::size_t frameCount) noexcept
{
    std::fill_n(m_mixLeft.data(), frameCount, 0.0f);
    std::fill_n(m_mixRight.data(), frameCount, 0.0f);
    float* const channels[] = { m_sourceLeft.data(), m_sourceRight.data() };
    for (const auto& voice : voices) {
        // A file player not yet told to play stays silent and keeps its position.
        if (!voice->isPlaying())
            continue;
        // Every playing source is pulled, also at gain 0, so its stream runs on as the device
        // would pull it.
        voice->pull(channels, frameCount);
        const auto gain = voice->gain();
        for (std::size_t frame = 0; frame < frameCount; ++frame) {
            m_mixLeft[frame] += gain * m_sourceLeft[frame];
            m_mixRight[frame] += gain * m_sourceRight[frame];
        }
    }
    const auto master = masterGain();
    for (std::size_t frame = 0; frame < frameCount; ++frame) {
        output[2 * frame] = master * m_mixLeft[frame];
        output[2 * frame + 1] = master * m_mixRight[frame];
    }
}

} // namespace veltrane
