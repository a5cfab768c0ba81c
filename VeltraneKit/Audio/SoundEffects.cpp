#include "VeltraneKit/Audio/SoundEffects.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

struct Note {
    double frequency;
    double start;
    double duration;
    double amplitude;
};

constexpr Note kFocusStart[] = { { 880, 0, 0.28, 0.45 } };
constexpr Note kFocusEnd[] = { { 523.25, 0, 0.16, 0.5 }, { 659.25, 0.1, 0.16, 0.5 }, { 783.99, 0.2, 0.4, 0.55 } };
constexpr Note kBreakEnd[] = { { 783.99, 0, 0.14, 0.4 }, { 523.25, 0.1, 0.3, 0.4 } };
constexpr Note kGoal[] = {
    { 523.25, 0, 0.14, 0.5 },
    { 659.25, 0.1, 0.14, 0.5 },
    { 783.99, 0.2, 0.14, 0.5 },
    { 1046.5, 0.3, 0.5, 0.6 },
};

constexpr auto kTwoPi = 6.283185307179586;
// Silence after the last note, so the release is never cut.
constexpr auto kTail = 0.05;
// How long after the last cue should have ended the output is closed: the device plays a block
// or two behind the render callback.
constexpr auto kIdleGrace = 0.5;
// Headroom of the cue against the ambient mix.
constexpr auto kOutputLevel = 0.55;

std::span<const Note> notes(SoundEffect effect)
{
    switch (effect) {
    case SoundEffect::focusStart:
        return kFocusStart;
    case SoundEffect::focusEnd:
        return kFocusEnd;
    case SoundEffect::breakEnd:
        return kBreakEnd;
    case SoundEffect::goal:
        return kGoal;
    }
    return {};
}

} // namespace

SoundEffects::SoundEffects(std::unique_ptr<AudioOutput> output, std::shared_ptr<OneShotScheduler> queue)
    : m_queue(std::move(queue))
    , m_output(std::move(output))
{
    m_output->setRenderCallback([this](std::span<float> samples) { render(samples); });
}

SoundEffects::~SoundEffects()
{
    *m_alive = false;
    m_output->stop();
    delete m_current;
    while (auto cue = m_queued.pop())
        delete *cue;
    releaseFinished();
}

StereoBuffer SoundEffects::makeBuffer(SoundEffect effect)
{
    const auto cue = notes(effect);
    double length = 0;
    for (const auto& note : cue)
        length = std::max(length, note.start + note.duration);
    const auto frameCount = static_cast<std::size_t>((length + kTail) * kSampleRate);

    StereoBuffer buffer;
    buffer.left.resize(frameCount);
    for (std::size_t frame = 0; frame < frameCount; ++frame) {
        const auto t = static_cast<double>(frame) / kSampleRate;
        double sample = 0;
        for (const auto& note : cue) {
            if (!(note.start <= t && t < note.start + note.duration))
                continue;
            const auto u = t - note.start;
            // A 4 ms attack into a slow decay; each note's envelope starts at its own start.
            const auto envelope = (1 - std::exp(-250 * u)) * std::exp(-4.5 * u);
            const auto tone = 0.85 * std::sin(kTwoPi * note.frequency * u)
                + 0.15 * std::sin(2 * kTwoPi * note.frequency * u);
            sample = sample + envelope * note.amplitude * tone;
        }
        buffer.left[frame] = static_cast<float>(kOutputLevel * std::clamp(sample, -1.0, 1.0));
    }
    buffer.right = buffer.left;
    return buffer;
}

void SoundEffects::play(SoundEffect effect)
{
    releaseFinished();
    auto buffer = makeBuffer(effect);
    if (!m_output->isRunning())
        m_output->start();
    if (!m_output->isRunning() || m_inFlight == kQueueCapacity)
        return;
    const auto seconds = static_cast<double>(buffer.frameCount()) / kSampleRate;
    auto* cue = new StereoBuffer(std::move(buffer));
    if (!m_queued.push(cue)) {
        delete cue;
        return;
    }
    ++m_inFlight;
    checkIdleAfter(seconds + kIdleGrace);
}

void SoundEffects::checkIdleAfter(double seconds)
{
    if (!m_queue)
        return;
    m_queue->schedule(seconds, [this, alive = std::weak_ptr<bool>(m_alive)] {
        if (!alive.expired())
            stopWhenIdle();
    });
}

void SoundEffects::stopWhenIdle()
{
    releaseFinished();
    // Cues queue behind each other, so one may still play when the check timed for it comes:
    // look again until every cue has played.
    if (m_inFlight > 0)
        checkIdleAfter(kIdleGrace);
    else if (m_output->isRunning())
        m_output->stop();
}

void SoundEffects::releaseFinished()
{
    while (auto cue = m_finished.pop()) {
        delete *cue;
        --m_inFlight;
    }
}

void SoundEffects::render(std::span<float> output) noexcept
{
    const auto frameCount = output.size() / 2;
    std::size_t written = 0;
    while (written < frameCount) {
        if (!m_current) {
            auto next = m_queued.pop();
            if (!next)
                break;
            m_current = *next;
            m_position = 0;
        }
        const auto run = std::min(frameCount - written, m_current->frameCount() - m_position);
        for (std::size_t frame = 0; frame < run; ++frame) {
            output[2 * (written + frame)] = m_current->left[m_position + frame];
            output[2 * (written + frame) + 1] = m_current->right[m_position + frame];
        }
        written += run;
        m_position += run;
        if (m_position == m_current->frameCount()) {
            // Cannot fail: no more cues are in flight than the queue holds.
            m_finished.push(m_current);
            m_current = nullptr;
        }
    }
    std::fill(output.begin() + static_cast<std::ptrdiff_t>(2 * written), output.end(), 0.0f);
}

} // namespace veltrane
