#include "VeltraneKit/Audio/AudioFileDecoder.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include <sys/resource.h>
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

// An unsigned field of `bytes` bytes, little-endian as WAVE has them or big-endian as AIFF has.
std::string field(std::uint64_t value, int bytes, bool bigEndian = false)
{
    std::string text;
    for (int index = 0; index < bytes; ++index)
        text += static_cast<char>(value >> (8 * (bigEndian ? bytes - 1 - index : index)) & 0xFF);
    return text;
}

// 16-bit PCM WAVE with whatever rate and channel count its header claims.
std::string wave(std::uint32_t rate, std::uint16_t channels, std::size_t dataBytes)
{
    return "RIFF" + field(static_cast<std::uint32_t>(36 + dataBytes), 4) + "WAVEfmt " + field(16, 4) + field(1, 2)
        + field(channels, 2) + field(rate, 4) + field(rate * channels * 2, 4) + field(channels * 2u, 2) + field(16, 2)
        + "data" + field(static_cast<std::uint32_t>(dataBytes), 4) + std::string(dataBytes, '\x10');
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

TEST(AudioFileDecoderTest, AnythingButAudioAndAbsurdRatesOrChannelCountsGiveNothing)
{
    testsupport::TemporaryFolder folder;
    const std::filesystem::path base = folder.stdPath();
    std::ofstream(base / "words.mp3") << "these are words, not frames\n";
    std::ofstream(base / "empty.wav");
    // A WAVE header that promises data and holds none.
    std::ofstream(base / "header.wav", std::ios::binary) << wave(44'100, 1, 88'200).substr(0, 44);
    std::filesystem::create_directory(base / "folder.wav");
    ASSERT_EQ(::mkfifo((base / "pipe.wav").c_str(), 0600), 0);
    // 46 bytes with one bit flipped in the rate of a 44100 Hz file: 536 915 012 Hz.
    std::ofstream(base / "flipped.wav", std::ios::binary) << wave(536'915'012, 1, 2);
    std::ofstream(base / "megahertz.wav", std::ios::binary) << wave(10'000'000, 1, 88'200);
    std::ofstream(base / "channels.wav", std::ios::binary) << wave(44'100, 100, 8'000);
    for (const auto* name : { "words.mp3", "empty.wav", "header.wav", "folder.wav", "pipe.wav", "missing.caf",
             "flipped.wav", "megahertz.wav", "channels.wav" })
        EXPECT_FALSE(AudioFileDecoder::decode(base / name)) << name;
    // Real audio, but in a container or codec outside what sound files use.
    for (const auto* name : { "tone.au", "yamaha.wav" })
        EXPECT_FALSE(AudioFileDecoder::decode(kFixtures / name)) << name;
}

namespace {

// 16-bit mono 44100 Hz AIFF holding `frames` frames of a square wave while its header claims
// `claimedFrames`.
std::string aiff(std::uint32_t claimedFrames, std::uint32_t frames)
{
    std::string samples;
    for (std::uint32_t index = 0; index < frames; ++index)
        samples += index / 50 % 2 ? std::string("\x10\x00", 2) : std::string("\xF0\x00", 2);
    const auto extended44100 = std::string("\x40\x0E\xAC\x44\0\0\0\0\0\0", 10);
    const auto comm = "COMM" + field(18, 4, true) + field(1, 2, true) + field(claimedFrames, 4, true)
        + field(16, 2, true) + extended44100;
    const auto ssnd = "SSND" + field(static_cast<std::uint32_t>(8 + samples.size()), 4, true) + field(0, 8, true) + samples;
    return "FORM" + field(static_cast<std::uint32_t>(4 + comm.size() + ssnd.size()), 4, true) + "AIFF" + comm + ssnd;
}

// Decodes in 2 GiB of address space and exits with 0 when the file's real frames came out. The
// sanitizer's shadow memory needs terabytes of address space; there the decode runs unlimited.
[[noreturn]] void exitWithDecodeResultInTwoGigabytes(const std::filesystem::path& path)
{
#ifndef MOORLET_SANITIZED
    const rlimit limit { 2ul << 30, 2ul << 30 };
    setrlimit(RLIMIT_AS, &limit);
#endif
    const auto decoded = AudioFileDecoder::decode(path);
    std::exit(decoded && decoded->frameCount() == 4'410 ? 0 : 1);
}

} // namespace

TEST(AudioFileDecoderTest, AFileClaimingBillionsOfFramesDecodesWithinLimitedMemory)
{
    testsupport::TemporaryFolder folder;
    const auto path = std::filesystem::path(folder.stdPath()) / "claims.aiff";
    std::ofstream(path, std::ios::binary) << aiff(1'500'000'000, 4'410);
    EXPECT_EXIT(exitWithDecodeResultInTwoGigabytes(path), testing::ExitedWithCode(0), "");
}
