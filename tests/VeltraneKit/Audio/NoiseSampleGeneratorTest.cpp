#include "VeltraneKit/Audio/NoiseGenerator.h"
#include "VeltraneKit/Audio/NoiseSampleGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

using namespace veltrane;

namespace {

constexpr float kRate = 44100.0f;

struct ReferenceStream {
    NoiseKind kind;
    std::uint64_t seed;
    std::array<float, 6> firstSamples;
    // FNV-1a over the little-endian bit patterns of the first 44100 samples.
    std::uint64_t hashOfFirstSecond;
};

// Computed by noise_reference.py (beside this file), an independent transcription of the
// synthesis formulas in emulated single precision with the C library's expf and sinf. Seed 0x2545F4914F6CDD1D is the mixer's.
const ReferenceStream kReference[] = {
    { NoiseKind::white, 0x0ULL, { 0x1.706ddcp-1f, -0x1.b0f12p-3f, -0x1.3e0c8p-5f, -0x1.3e83ecp-1f, -0x1.4c53a8p-1f, 0x1.7101dp-3f }, 0xEE5090A1DBA04836ULL },
    { NoiseKind::white, 0x1ULL, { -0x1p+0f, -0x1.bffefcp-1f, 0x1.b1e84p-3f, 0x1.d553d4p-1f, 0x1.8307cp-5f, 0x1.dac14cp-1f }, 0xD578706480ED774BULL },
    { NoiseKind::white, 0x2545F4914F6CDD1DULL, { -0x1.27bp-8f, 0x1.91c464p-1f, -0x1.2ba2d8p-1f, -0x1.d31e1p-3f, 0x1.b20e5cp-1f, -0x1.cc1ba8p-1f }, 0xE4ADA7643FDD0368ULL },
    { NoiseKind::pink, 0x0ULL, { 0x1.0b05f8p-3f, 0x1.3b3ee6p-5f, 0x1.711abp-6f, -0x1.658ab6p-4f, -0x1.4b6ae4p-3f, -0x1.ee1a3cp-5f }, 0xEADA3FA46C690FA6ULL },
    { NoiseKind::pink, 0x1ULL, { -0x1.7313f6p-3f, -0x1.0f9d0ep-2f, -0x1.04efdcp-3f, 0x1.01d562p-4f, 0x1.ce6b6ap-7f, 0x1.42d40cp-3f }, 0x647226745FC342B3ULL },
    { NoiseKind::pink, 0x2545F4914F6CDD1DULL, { -0x1.ac9b2p-11f, 0x1.22330cp-3f, -0x1.72c8dp-6f, -0x1.82d226p-5f, 0x1.15ad7ep-3f, -0x1.58070ap-4f }, 0xC5E4BDD498AC8A0BULL },
    { NoiseKind::brown, 0x0ULL, { 0x1.a86e2cp-7f, 0x1.2b5194p-7f, 0x1.141eacp-7f, -0x1.6c58p-9f, -0x1.d9d5d4p-7f, -0x1.6f165ep-7f }, 0x82F0CE13D7C54E9BULL },
    { NoiseKind::brown, 0x1ULL, { -0x1.26e978p-6f, -0x1.1454d8p-5f, -0x1.e9a0a4p-6f, -0x1.b59c5p-7f, -0x1.994e8ap-7f, 0x1.140a66p-8f }, 0x88C7EA935809E7D6ULL },
    { NoiseKind::brown, 0x2545F4914F6CDD1DULL, { -0x1.54a1cap-14f, 0x1.cc2d5ep-7f, 0x1.ca2528p-9f, -0x1.41ba9ap-11f, 0x1.dff1d4p-7f, -0x1.94a34cp-10f }, 0x4F5F44F60F837483ULL },
    { NoiseKind::rain, 0x0ULL, { 0x1.81f2dcp-4f, 0x1.7e3d96p-4f, -0x1.b6b964p-5f, 0x1.e7e43ep-6f, -0x1.86d772p-6f, -0x1.17f6acp-3f }, 0x8BA23C61D724A312ULL },
    { NoiseKind::rain, 0x1ULL, { -0x1.0c2c5ep-3f, 0x1.91bc84p-6f, -0x1.50a938p-4f, 0x1.613a6cp-6f, 0x1.13524ep-3f, 0x1.bf1672p-3f }, 0x3B3F66939CC59D4FULL },
    { NoiseKind::rain, 0x2545F4914F6CDD1DULL, { -0x1.35bf7ep-11f, -0x1.e3c72p-4f, -0x1.50accp-3f, -0x1.c56ce2p-5f, -0x1.4138ep-4f, -0x1.3651d2p-6f }, 0xA3FE7AB0EBF24E99ULL },
    { NoiseKind::ocean, 0x0ULL, { 0x1.83e4acp-7f, 0x1.721194p-8f, 0x1.04c5dep-8f, -0x1.b7f66ap-8f, -0x1.f313e4p-7f, -0x1.19bb4cp-7f }, 0x335BD9AB8FF81DC5ULL },
    { NoiseKind::ocean, 0x1ULL, { -0x1.0917acp-6f, -0x1.b190b8p-6f, -0x1.1e52d8p-6f, 0x1.5f2dep-12f, -0x1.0acb8p-12f, 0x1.c46a46p-7f }, 0xFCC8090D84472136ULL },
    { NoiseKind::ocean, 0x2545F4914F6CDD1DULL, { -0x1.35248p-14f, 0x1.a55fep-7f, 0x1.3250e8p-12f, -0x1.a5d68ap-9f, 0x1.802fcap-7f, -0x1.6849p-8f }, 0x165D4588C2A7E278ULL },
    { NoiseKind::wind, 0x0ULL, { 0x1.4eb46p-5f, 0x1.a3c8bcp-6f, 0x1.5c9f48p-6f, -0x1.02e24ap-6f, -0x1.a4bfb4p-5f, -0x1.325b74p-5f }, 0xFCF2BAC98F8AC362ULL },
    { NoiseKind::wind, 0x1ULL, { -0x1.cd3014p-5f, -0x1.9cc7acp-4f, -0x1.4b46a4p-4f, -0x1.728166p-6f, -0x1.1e5d5ap-6f, 0x1.3038eep-5f }, 0xA430F62656C3F666ULL },
    { NoiseKind::wind, 0x2545F4914F6CDD1DULL, { -0x1.0ba91cp-12f, 0x1.6b2b4cp-5f, 0x1.f3720cp-8f, -0x1.8a3c1cp-8f, 0x1.5bbe88p-5f, -0x1.87fdc6p-7f }, 0x580170258131D54EULL },
    { NoiseKind::stream, 0x0ULL, { 0x1.827892p-3f, 0x1.251bap-3f, -0x1.711caap-3f, 0x1.2715f8p-5f, -0x1.4364e4p-4f, -0x1.23813p-2f }, 0x4DCD1637B9324A63ULL },
    { NoiseKind::stream, 0x1ULL, { -0x1.0de5f8p-2f, 0x1.c8994cp-4f, -0x1.16f6e8p-3f, 0x1.a28b68p-4f, 0x1.3283c6p-2f, 0x1.946f42p-2f }, 0xC242C8038419BFC3ULL },
    { NoiseKind::stream, 0x2545F4914F6CDD1DULL, { -0x1.366fp-10f, -0x1.e39b78p-3f, -0x1.17dab4p-2f, 0x1.8df5ap-9f, -0x1.c3bccp-5f, 0x1.177d84p-4f }, 0x00D3BA3530B87C5AULL },
};

std::uint64_t fnv1a(const std::vector<float>& samples)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (auto sample : samples) {
        const auto bits = std::bit_cast<std::uint32_t>(sample);
        for (int byte = 0; byte < 4; ++byte) {
            hash ^= (bits >> (8 * byte)) & 0xFF;
            hash *= 0x100000001b3ULL;
        }
    }
    return hash;
}

std::vector<float> samplesOf(NoiseKind kind, std::uint64_t seed, std::size_t count, float rate = kRate)
{
    NoiseSampleGenerator generator(kind, seed, rate);
    std::vector<float> samples(count);
    for (auto& sample : samples)
        sample = generator.next();
    return samples;
}

std::string nameOf(NoiseKind kind) { return std::string(rawValue(kind)); }

} // namespace

TEST(NoiseKindTest, RawValuesRoundTripInDeclarationOrder)
{
    const char* names[] = { "white", "pink", "brown", "rain", "ocean", "wind", "stream" };
    for (std::size_t index = 0; index < allNoiseKinds.size(); ++index) {
        EXPECT_EQ(rawValue(allNoiseKinds[index]), names[index]);
        EXPECT_EQ(noiseKindFromRawValue(names[index]), allNoiseKinds[index]);
    }
    EXPECT_FALSE(noiseKindFromRawValue("Rain") || noiseKindFromRawValue(""));
}

TEST(NoiseSampleGeneratorTest, MatchesTheIndependentReferenceForEveryKindAndSeed)
{
    for (const auto& reference : kReference) {
        SCOPED_TRACE(nameOf(reference.kind) + " seed " + std::to_string(reference.seed));
        const auto samples = samplesOf(reference.kind, reference.seed, 44100);
        for (std::size_t index = 0; index < reference.firstSamples.size(); ++index)
            EXPECT_EQ(std::bit_cast<std::uint32_t>(samples[index]), std::bit_cast<std::uint32_t>(reference.firstSamples[index]))
                << "sample " << index << ": " << samples[index] << " instead of " << reference.firstSamples[index];
        EXPECT_EQ(fnv1a(samples), reference.hashOfFirstSecond);
    }
}

TEST(NoiseSampleGeneratorTest, SeedZeroPlaysAsTheGoldenRatioSeedAndEqualSeedsAgree)
{
    for (auto kind : allNoiseKinds) {
        SCOPED_TRACE(nameOf(kind));
        const auto zero = samplesOf(kind, 0, 20000);
        EXPECT_EQ(zero, samplesOf(kind, NoiseSampleGenerator::kZeroSeedReplacement, 20000));
        EXPECT_EQ(samplesOf(kind, 42, 20000), samplesOf(kind, 42, 20000));
        EXPECT_NE(samplesOf(kind, 42, 20000), samplesOf(kind, 43, 20000));
    }
}

TEST(NoiseSampleGeneratorTest, EveryKindStaysWithinUnitRangeOverLongRunsAndOddRates)
{
    // Two minutes at the real rate, and a low rate at which droplets spawn forty times as often
    // and the wind filter runs at its limit, where the filters overshoot most.
    for (auto rate : { kRate, 1000.0f }) {
        for (auto kind : allNoiseKinds) {
            SCOPED_TRACE(nameOf(kind) + " at " + std::to_string(rate));
            NoiseSampleGenerator generator(kind, 0xDEADBEEF, rate);
            std::vector<float> block(44100);
            float lowest = 0;
            float highest = 0;
            for (int second = 0; second < 120; ++second) {
                generator.render(block);
                const auto [low, high] = std::minmax_element(block.begin(), block.end());
                lowest = std::min(lowest, *low);
                highest = std::max(highest, *high);
            }
            EXPECT_TRUE(lowest >= -1.0f && lowest < 0.0f) << lowest;
            EXPECT_TRUE(highest <= 1.0f && highest > 0.0f) << highest;
        }
    }
}

TEST(NoiseGeneratorTest, RenderAndTheSourceNodeContinueTheStreamOnEveryChannel)
{
    for (auto kind : allNoiseKinds) {
        SCOPED_TRACE(nameOf(kind));
        NoiseSampleGenerator rendered(kind, 7, kRate);
        std::vector<float> buffer(10007);
        rendered.render(buffer);
        // An empty buffer neither writes nor advances.
        rendered.render(std::span<float>());
        std::vector<float> more(513);
        rendered.render(more);
        buffer.insert(buffer.end(), more.begin(), more.end());
        EXPECT_EQ(buffer, samplesOf(kind, 7, buffer.size()));

        auto node = NoiseGenerator::makeSourceNode(kind, 5);
        std::vector<float> left(300), right(300), third(300);
        float* const channels[] = { left.data(), right.data(), third.data() };
        node(std::span<float* const>(channels, 3), 100);
        node(std::span<float* const>(channels, 3), 0);
        float* const shifted[] = { left.data() + 100, right.data() + 100, third.data() + 100 };
        node(std::span<float* const>(shifted, 3), 200);
        EXPECT_EQ(left, samplesOf(kind, 5, 300, NoiseGenerator::kSampleRate));
        EXPECT_TRUE(right == left && third == left);
    }
}
