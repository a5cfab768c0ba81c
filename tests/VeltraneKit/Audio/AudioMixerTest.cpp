#include "VeltraneKit/Audio/AudioMixer.h"
#include "VeltraneKit/Audio/FloatWavFile.h"
#include "VeltraneKit/Audio/NoiseSampleGenerator.h"
#include "VeltraneKit/Audio/OfflineAudioOutput.h"
#include "VeltraneKit/Audio/StereoBuffer.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <random>
#include <thread>

using namespace veltrane;

namespace {

constexpr std::size_t kBlock = 512;

bool allZero(const std::vector<float>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](float sample) { return sample == 0.0f; });
}

// A mixer on an offline output, rendered by the test itself.
class AudioMixerTest : public ::testing::Test {
protected:
    AudioMixer& mixer() { return *m_mixer; }

    std::vector<float> render(std::size_t frames = kBlock)
    {
        std::vector<float> samples(2 * frames, 123.0f);
        m_mixer->render(samples);
        return samples;
    }

    // The left channel of a render, checking that the right one equals it.
    std::vector<float> renderMono(std::size_t frames = kBlock)
    {
        const auto samples = render(frames);
        std::vector<float> left(frames);
        for (std::size_t frame = 0; frame < frames; ++frame) {
            left[frame] = samples[2 * frame];
            EXPECT_EQ(samples[2 * frame + 1], left[frame]) << "frame " << frame;
        }
        return left;
    }

    // A file of distinct frames, a sine on the left and a ramp on the right, so that a skipped,
    // repeated or inserted frame shows.
    StereoBuffer writeLoop(const std::string& name, std::size_t frames)
    {
        StereoBuffer buffer;
        std::vector<float> interleaved;
        for (std::size_t frame = 0; frame < frames; ++frame) {
            buffer.left.push_back(0.5f * static_cast<float>(std::sin(2 * M_PI * 3 * frame / frames)));
            buffer.right.push_back(-0.9f + 1.8f * static_cast<float>(frame) / frames);
            interleaved.insert(interleaved.end(), { buffer.left.back(), buffer.right.back() });
        }
        EXPECT_TRUE(FloatWavFile::write(path(name), 2, 44100, interleaved));
        return buffer;
    }
    std::filesystem::path path(const std::string& name) const { return std::filesystem::path(m_folder.stdPath()) / name; }

    static void expectFrames(const std::vector<float>& played, const StereoBuffer& loop, std::size_t count, std::size_t from = 0)
    {
        for (std::size_t frame = 0, at = from % loop.frameCount(); frame < count; ++frame, at = (at + 1) % loop.frameCount())
            ASSERT_TRUE(played[2 * frame] == loop.left[at] && played[2 * frame + 1] == loop.right[at]) << "frame " << frame;
    }

    testsupport::TemporaryFolder m_folder;
    std::shared_ptr<ManualOneShotScheduler> m_queue = std::make_shared<ManualOneShotScheduler>();
    std::unique_ptr<AudioMixer> m_mixer
        = std::make_unique<AudioMixer>(std::make_unique<OfflineAudioOutput>(), m_queue);
};

// What a noise track renders: the mixer's seed, through one gain stage and the master gain.
struct NoiseModel {
    NoiseSampleGenerator generator;
    explicit NoiseModel(NoiseKind kind) : generator(kind, AudioMixer::kNoiseSeed, 44100.0f) { }
    std::vector<float> next(std::size_t frames, float gain, float master = 1.0f)
    {
        std::vector<float> samples(frames);
        for (auto& sample : samples)
            sample = master * (0.0f + gain * generator.next());
        return samples;
    }
};

} // namespace

TEST_F(AudioMixerTest, NoiseTracksRenderTheirGeneratorThroughTrackAndMasterGainAndSum)
{
    mixer().setMasterVolume(0.5f);
    ASSERT_TRUE(mixer().add("rain", TrackSource::noise(NoiseKind::rain), 0.8f, 0));
    NoiseModel model(NoiseKind::rain);
    EXPECT_EQ(renderMono(), model.next(kBlock, 0.8f, 0.5f));
    // An odd length and one longer than the graph's own block keep the stream continuous.
    EXPECT_EQ(renderMono(333), model.next(333, 0.8f, 0.5f));
    EXPECT_EQ(renderMono(3000), model.next(3000, 0.8f, 0.5f));
    mixer().setVolume(0.25f, "rain");
    EXPECT_EQ(renderMono(), model.next(kBlock, 0.25f, 0.5f));
    mixer().remove("rain");

    // Tracks of one kind play the same stream and sum.
    mixer().setMasterVolume(1.0f);
    ASSERT_TRUE(mixer().add("one", TrackSource::noise(NoiseKind::white), 0.5f, 0));
    ASSERT_TRUE(mixer().add("two", TrackSource::noise(NoiseKind::white), 0.25f, 0));
    NoiseSampleGenerator generator(NoiseKind::white, AudioMixer::kNoiseSeed, 44100.0f);
    const auto left = renderMono();
    for (std::size_t frame = 0; frame < kBlock; ++frame) {
        const auto sample = generator.next();
        ASSERT_EQ(left[frame], (0.0f + 0.5f * sample) + 0.25f * sample) << "frame " << frame;
    }
}

TEST_F(AudioMixerTest, LevelsAreClampedWhereverTheyAreSet)
{
    ASSERT_TRUE(mixer().add("loud", TrackSource::noise(NoiseKind::pink), 3.0f, 0));
    EXPECT_EQ(mixer().volume("loud"), 1.0f);
    for (auto [level, expected] : { std::pair { 1.7f, 1.0f }, { -0.2f, 0.0f }, { 0.6f, 0.6f } }) {
        SCOPED_TRACE(level);
        mixer().setMasterVolume(level);
        EXPECT_EQ(mixer().masterVolume(), expected);
        mixer().setVolume(level, "loud");
        EXPECT_EQ(mixer().volume("loud"), expected);
    }
    mixer().setMasterVolume(0.0f);
    EXPECT_TRUE(allZero(render()));
}

TEST_F(AudioMixerTest, AddingAPlayingIdOnlySetsItsLevel)
{
    ASSERT_TRUE(mixer().add("scene", TrackSource::noise(NoiseKind::white), 0.2f, 0));
    EXPECT_TRUE(mixer().add("scene", TrackSource::noise(NoiseKind::brown), 0.7f, 5.0));
    EXPECT_EQ(m_queue->queuedCount(), 0u);
    // Still white noise, at the new level without a fade.
    EXPECT_EQ(renderMono(), NoiseModel(NoiseKind::white).next(kBlock, 0.7f));
}

TEST_F(AudioMixerTest, FadeInRisesInSixteenEqualStepsOnTheMainQueue)
{
    ASSERT_TRUE(mixer().add("wind", TrackSource::noise(NoiseKind::wind), 0.8f, 2.0));
    EXPECT_EQ(m_queue->queuedCount(), 16u);
    NoiseModel model(NoiseKind::wind);
    EXPECT_EQ(renderMono(), model.next(kBlock, 0.0f));
    for (int step = 1; step <= 16; ++step) {
        m_queue->advance(0.0625);
        EXPECT_EQ(renderMono(), model.next(kBlock, 0.8f * ((step - 1) * 0.0625f))) << "before step " << step;
        m_queue->advance(0.0625);
        EXPECT_EQ(renderMono(), model.next(kBlock, 0.8f * (step * 0.0625f))) << "at step " << step;
    }
    EXPECT_EQ(m_queue->queuedCount(), 0u);

    // Without a usable fade a track starts at its level.
    for (auto fade : { 0.0, -1.0, std::nan("") }) {
        ASSERT_TRUE(mixer().add("ocean", TrackSource::noise(NoiseKind::ocean), 0.8f, fade));
        EXPECT_EQ(m_queue->queuedCount(), 0u);
        mixer().remove("wind");
        EXPECT_EQ(renderMono(), NoiseModel(NoiseKind::ocean).next(kBlock, 0.8f)) << fade;
        mixer().remove("ocean");
    }
}

TEST_F(AudioMixerTest, FadeStepsOverrideALevelSetMidwayButNeverTouchATrackAddedAgainOrAGoneMixer)
{
    ASSERT_TRUE(mixer().add("brook", TrackSource::noise(NoiseKind::stream), 0.8f, 2.0));
    m_queue->advance(0.5);
    mixer().setVolume(0.1f, "brook");
    m_queue->advance(0.125);
    NoiseModel model(NoiseKind::stream);
    EXPECT_EQ(renderMono(), model.next(kBlock, 0.8f * 0.3125f));
    m_queue->advance(2.0);
    EXPECT_EQ(renderMono(), model.next(kBlock, 0.8f));
    mixer().remove("brook");

    // Removed during its fade, then back at once without one: the first track's steps must not
    // touch the new one.
    ASSERT_TRUE(mixer().add("rain", TrackSource::noise(NoiseKind::rain), 0.8f, 2.0));
    m_queue->advance(0.5);
    mixer().remove("rain");
    ASSERT_TRUE(mixer().add("rain", TrackSource::noise(NoiseKind::rain), 0.3f, 0));
    m_queue->advance(2.0);
    EXPECT_EQ(m_queue->queuedCount(), 0u);
    EXPECT_EQ(renderMono(), NoiseModel(NoiseKind::rain).next(kBlock, 0.3f));

    // Steps outliving the mixer do nothing.
    ASSERT_TRUE(mixer().add("wind", TrackSource::noise(NoiseKind::wind), 0.8f, 2.0));
    m_mixer.reset();
    m_queue->advance(3.0);
    EXPECT_EQ(m_queue->queuedCount(), 0u);
}

TEST_F(AudioMixerTest, AFileWaitsForStartResumesWhereItPausedAndLoopsWithoutAGap)
{
    const auto loop = writeLoop("loop.wav", 1000);
    ASSERT_TRUE(mixer().add("user_loop.wav", TrackSource::file(path("loop.wav")), 1.0f, 0));
    EXPECT_TRUE(allZero(render(300)));
    mixer().start();
    expectFrames(render(300), loop, 300);
    mixer().pause();
    EXPECT_FALSE(mixer().isRunning());
    mixer().start();
    // Blocks that do not divide the loop: the seam falls inside blocks and between them.
    std::vector<float> rendered;
    for (auto frames : { 212, 700, 1000, 1288, 3 }) {
        const auto block = render(frames);
        rendered.insert(rendered.end(), block.begin(), block.end());
    }
    expectFrames(rendered, loop, 3203, 300);
}

TEST_F(AudioMixerTest, AnUndecodableFileLeavesNoTrace)
{
    std::ofstream(path("notes.mp3")) << "not audio at all, only words\n";
    EXPECT_FALSE(mixer().add("notes", TrackSource::file(path("notes.mp3")), 0.5f, 1.0));
    EXPECT_FALSE(mixer().isActive("notes") || m_queue->queuedCount() != 0);
}

// The audio thread renders without pause while the main thread keeps swapping voice lists. Each
// voice is a constant power of two at gain 1, so every rendered frame must be the sum of one
// published set of voices, and one block must never mix two sets. Voices must be destroyed on
// the main thread only.
TEST(AudioGraphStressTest, AudioThreadSeesWholeListsAndNeverFreesAVoice)
{
    constexpr int kVoiceCount = 12;
    std::atomic<int> destroyed { 0 }, destroyedElsewhere { 0 }, blocks { 0 };
    std::atomic<bool> stop { false }, torn { false }, foreign { false };

    AudioGraph graph;
    std::thread audio([&] {
        std::vector<float> output(2 * 256);
        while (!stop.load()) {
            graph.render(output);
            const auto value = output[0];
            const auto integral = static_cast<std::uint32_t>(value);
            if (value != static_cast<float>(integral) || integral >= (1u << kVoiceCount))
                foreign = true;
            if (!std::all_of(output.begin(), output.end(), [value](float sample) { return sample == value; }))
                torn = true;
            blocks.fetch_add(1);
        }
    });

    std::mt19937 random(20240601);
    int created = 0;
    for (int swaps = 0; swaps < 4000 || blocks.load() < 2000; ++swaps) {
        AudioGraph::VoiceList voices;
        for (int index = 0; index < kVoiceCount; ++index) {
            if (random() % 2 == 0)
                continue;
            // Counts its voice's destruction, and whether it happened on another thread.
            std::shared_ptr<void> witness(nullptr, [&, mainThread = std::this_thread::get_id()](void*) {
                destroyed.fetch_add(1);
                destroyedElsewhere.fetch_add(std::this_thread::get_id() != mainThread ? 1 : 0);
            });
            const auto level = static_cast<float>(1u << index);
            auto voice = std::make_shared<TrackVoice>(
                [witness, level](std::span<float* const> channels, std::size_t frames) {
                    for (auto* channel : channels)
                        std::fill_n(channel, frames, level);
                },
                true);
            voice->setGain(1.0f);
            voices.push_back(std::move(voice));
            ++created;
        }
        graph.setVoices(std::move(voices));
    }
    stop = true;
    audio.join();
    graph.setVoices({});

    EXPECT_FALSE(torn.load() || foreign.load());
    EXPECT_EQ(destroyed.load(), created);
    EXPECT_EQ(destroyedElsewhere.load(), 0);
}
