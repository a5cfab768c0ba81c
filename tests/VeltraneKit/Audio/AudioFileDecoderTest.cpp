#include "VeltraneKit/Audio/AudioFileDecoder.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include <sys/stat.h>

using namespace veltrane;

namespace {

const std::filesystem::path kFixtures = AUDIO_FIXTURES_DIR;

struct Fixture {
    const char* name;
    // Whether the tone is on both channels (a mono file) or on the left one only.
    bool mono;
    // How far the decoded length may stray from 0.5 s. Raw AAC keeps its priming and padding; the
    // other formats state them, so the decoder drops them and the file loops without a gap.
    std::size_t lengthTolerance;
};

// The fixtures are a 441 Hz sine of amplitude 1/8 lasting 0.5 s (see CMakeLists.txt).
const Fixture kFixtureFiles[] = {
    { "tone.mp3", true, 1 },
    { "tone.m4a", false, 1 },
    { "tone.aac", true, 2200 },
    { "tone.wav", false, 0 },
    { "tone.aiff", true, 2 },
    { "tone.caf", false, 0 },
};

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double squares = 0;
    for (auto index = from; index < to; ++index)
        squares += double(samples[index]) * samples[index];
    return std::sqrt(squares / static_cast<double>(to - from));
}

// Upward zero crossings per second over the middle of the signal, away from codec edges.
double frequencyOf(const std::vector<float>& samples)
{
    const auto from = samples.size() / 4;
    const auto to = 3 * samples.size() / 4;
    int crossings = 0;
    for (auto index = from + 1; index < to; ++index) {
        if (samples[index - 1] < 0 && samples[index] >= 0)
            ++crossings;
    }
    return crossings * 44100.0 / static_cast<double>(to - from);
}

} // namespace

TEST(AudioFileDecoderTest, DecodesEveryFormatTo44100HzStereoAtFullLevel)
{
    for (const auto& fixture : kFixtureFiles) {
        SCOPED_TRACE(fixture.name);
        const auto decoded = AudioFileDecoder::decode(kFixtures / fixture.name);
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded->left.size(), decoded->right.size());
        const auto frames = decoded->frameCount();
        EXPECT_TRUE(frames <= 22050 + fixture.lengthTolerance && frames + fixture.lengthTolerance >= 22050) << frames;
        EXPECT_NEAR(frequencyOf(decoded->left), 441.0, 441.0 * 0.02);
        // A sine of amplitude 1/8 has an RMS of 0.0884, on both sides of a mono file too.
        const auto left = rms(decoded->left, frames / 4, 3 * frames / 4);
        EXPECT_NEAR(left, 0.125 / std::sqrt(2.0), 0.0884 * 0.05);
        const auto right = rms(decoded->right, frames / 4, 3 * frames / 4);
        if (fixture.mono)
            EXPECT_NEAR(right, left, left * 0.001);
        else
            EXPECT_LT(right, left * 0.01);
    }
}

TEST(AudioFileDecoderTest, AnythingButAudioGivesNothing)
{
    testsupport::TemporaryFolder folder;
    const std::filesystem::path base = folder.stdPath();
    std::ofstream(base / "words.mp3") << "these are words, not frames\n";
    std::ofstream(base / "empty.wav");
    std::filesystem::create_directory(base / "folder.wav");
    ASSERT_EQ(::mkfifo((base / "pipe.wav").c_str(), 0600), 0);
    for (const auto* name : { "words.mp3", "empty.wav", "folder.wav", "pipe.wav", "missing.caf" })
        EXPECT_FALSE(AudioFileDecoder::decode(base / name)) << name;
    // Real audio, but in a container or codec outside what sound files use.
    for (const auto* name : { "tone.au", "yamaha.wav" })
        EXPECT_FALSE(AudioFileDecoder::decode(kFixtures / name)) << name;
}
