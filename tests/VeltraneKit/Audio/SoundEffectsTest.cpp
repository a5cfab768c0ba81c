#include "VeltraneKit/Audio/OfflineAudioOutput.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"
#include "VeltraneKit/Audio/SoundEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace veltrane;

namespace {

struct CueFacts {
    SoundEffect effect;
    std::size_t frames;
    // The sample of largest magnitude and frame 5000 (about 0.113 s in), both as computed
    // independently in double precision from the note tables.
    float peak;
    float atFrame5000;
};

const CueFacts kCues[] = {
    { SoundEffect::focusStart, 14553, 0x1.9ef6b8p-3f, -0x1.0d0f54p-3f },
    { SoundEffect::focusEnd, 28665, 0x1.92e41p-2f, -0x1.dc246p-4f },
    { SoundEffect::breakEnd, 19845, 0x1.305e1p-2f, -0x1.77db36p-4f },
    { SoundEffect::goal, 37485, -0x1.a00756p-2f, -0x1.dc246p-4f },
};

float peakOf(const std::vector<float>& samples)
{
    float peak = 0;
    for (auto sample : samples)
        peak = std::abs(sample) > std::abs(peak) ? sample : peak;
    return peak;
}

// A cue player on an offline output, rendered by the test in device-sized blocks.
class SoundEffectsTest : public ::testing::Test {
protected:
    SoundEffectsTest()
    {
        auto output = std::make_unique<OfflineAudioOutput>();
        m_output = output.get();
        m_effects = std::make_unique<SoundEffects>(std::move(output), m_queue);
    }

    // The left channel of the next frames, checking that the right one equals it.
    std::vector<float> render(std::size_t frames)
    {
        std::vector<float> left;
        std::vector<float> block(2 * 512);
        while (left.size() < frames) {
            m_effects->render(block);
            for (std::size_t frame = 0; frame < 512 && left.size() < frames; ++frame) {
                EXPECT_EQ(block[2 * frame], block[2 * frame + 1]);
                left.push_back(block[2 * frame]);
            }
        }
        return left;
    }

    std::shared_ptr<ManualOneShotScheduler> m_queue = std::make_shared<ManualOneShotScheduler>();
    OfflineAudioOutput* m_output = nullptr;
    std::unique_ptr<SoundEffects> m_effects;
};

} // namespace

TEST(SoundEffectsBufferTest, CuesHaveTheirLengthsPeaksAndShape)
{
    for (const auto& cue : kCues) {
        SCOPED_TRACE(static_cast<int>(cue.effect));
        const auto buffer = SoundEffects::makeBuffer(cue.effect);
        ASSERT_EQ(buffer.frameCount(), cue.frames);
        EXPECT_EQ(buffer.right, buffer.left);
        EXPECT_EQ(peakOf(buffer.left), cue.peak);
        EXPECT_EQ(buffer.left[5000], cue.atFrame5000);
        // Every cue starts from silence: the envelope is 0 at its first frame.
        EXPECT_EQ(buffer.left[0], 0.0f);
    }
    // Frame 5000 of focusEnd falls where its first two notes overlap, so the table pins their sum.
    // focusStart's note ends at 0.28 s: frame 12348 is the first at or after it.
    const auto start = SoundEffects::makeBuffer(SoundEffect::focusStart);
    EXPECT_NE(start.left[12347], 0.0f);
    EXPECT_TRUE(std::all_of(start.left.begin() + 12348, start.left.end(), [](float sample) { return sample == 0.0f; }));
}

TEST_F(SoundEffectsTest, CuesPlayedInQuickSuccessionPlayOneAfterTheOther)
{
    m_effects->play(SoundEffect::focusStart);
    m_effects->play(SoundEffect::breakEnd);
    EXPECT_TRUE(m_effects->isRunning());
    const auto first = SoundEffects::makeBuffer(SoundEffect::focusStart).left;
    const auto second = SoundEffects::makeBuffer(SoundEffect::breakEnd).left;
    const auto played = render(first.size() + second.size() + 2000);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), played.begin()));
    EXPECT_TRUE(std::equal(second.begin(), second.end(), played.begin() + static_cast<std::ptrdiff_t>(first.size())));
    EXPECT_TRUE(std::all_of(played.end() - 2000, played.end(), [](float sample) { return sample == 0.0f; }));
}

TEST_F(SoundEffectsTest, ACueThatCannotStartTheDeviceIsDroppedAndTheNextPlayTriesAgain)
{
    m_output->setFailsToStart(true);
    m_effects->play(SoundEffect::goal);
    EXPECT_FALSE(m_effects->isRunning());
    EXPECT_EQ(m_output->startCount(), 1);
    m_output->setFailsToStart(false);
    m_effects->play(SoundEffect::focusStart);
    EXPECT_EQ(m_output->startCount(), 2);
    // Only the second cue plays; the dropped one never comes back.
    const auto expected = SoundEffects::makeBuffer(SoundEffect::focusStart).left;
    const auto played = render(expected.size() + 40000);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), played.begin()));
    EXPECT_TRUE(std::all_of(played.begin() + static_cast<std::ptrdiff_t>(expected.size()), played.end(),
        [](float sample) { return sample == 0.0f; }));
    // The running device is not started again.
    m_effects->play(SoundEffect::focusStart);
    EXPECT_EQ(m_output->startCount(), 2);
}

TEST_F(SoundEffectsTest, ABacklogBeyondTheQueueIsDroppedAndPlayedCuesAreReleased)
{
    for (std::size_t cue = 0; cue < SoundEffects::kQueueCapacity + 3; ++cue)
        m_effects->play(SoundEffect::focusStart);
    const auto length = static_cast<std::ptrdiff_t>(SoundEffects::makeBuffer(SoundEffect::focusStart).frameCount());
    const auto capacity = static_cast<std::ptrdiff_t>(SoundEffects::kQueueCapacity);
    const auto played = render(static_cast<std::size_t>(length * (capacity + 1)));
    // The last queued cue sounds; after it comes silence where the dropped ones would be.
    const auto lastStart = played.begin() + length * (capacity - 1);
    EXPECT_TRUE(std::any_of(lastStart + 1000, lastStart + 2000, [](float sample) { return sample != 0.0f; }));
    EXPECT_TRUE(std::all_of(lastStart + length, played.end(), [](float sample) { return sample == 0.0f; }));
    // The played cues came back to the main thread, so the queue takes new ones again.
    m_effects->play(SoundEffect::goal);
    const auto goal = SoundEffects::makeBuffer(SoundEffect::goal).left;
    const auto next = render(goal.size());
    EXPECT_EQ(next, goal);
}

TEST_F(SoundEffectsTest, TheOutputClosesOnceEveryCueHasPlayed)
{
    // The goal cue follows the focus-end cue; the device pulls them as they play.
    m_effects->play(SoundEffect::focusEnd);
    m_effects->play(SoundEffect::goal);
    render(SoundEffects::makeBuffer(SoundEffect::focusEnd).frameCount() + 512);
    // At 1.4 s the goal cue (ending at 1.5 s) still plays, whatever check has come by then.
    m_queue->advance(1.4);
    EXPECT_TRUE(m_effects->isRunning());
    render(SoundEffects::makeBuffer(SoundEffect::goal).frameCount());
    m_queue->advance(60);
    EXPECT_FALSE(m_effects->isRunning());
    EXPECT_EQ(m_queue->queuedCount(), 0u);

    // A long cue with a short one right behind it: every check timed at a cue's start comes
    // before the short one has played, and the output must still close once it has.
    m_effects->play(SoundEffect::goal);
    m_effects->play(SoundEffect::focusStart);
    const auto goal = SoundEffects::makeBuffer(SoundEffect::goal).frameCount();
    render(goal);
    m_queue->advance(static_cast<double>(goal) / 44100 + 0.5);
    render(SoundEffects::makeBuffer(SoundEffect::focusStart).frameCount() + 512);
    m_queue->advance(60);
    EXPECT_FALSE(m_effects->isRunning());
}
