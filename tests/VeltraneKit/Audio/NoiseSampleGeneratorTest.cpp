#include "VeltraneKit/Audio/NoiseSampleGenerator.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

using namespace veltrane;

namespace {

constexpr std::uint64_t kMixerSeed = 0x2545F4914F6CDD1DULL;

struct ReferenceStream {
    NoiseKind kind;
    std::array<float, 6> firstSamples;
    // FNV-1a over the little-endian bit patterns of the first 44100 samples.
    std::uint64_t hashOfFirstSecond;
};

// Computed by noise_reference.py (beside this file), an independent transcription of the
// synthesis formulas in emulated single precision with the C library's expf and sinf, for the
// mixer's seed.
const ReferenceStream kReference[] = {
    { NoiseKind::white, { -0x1.27bp-8f, 0x1.91c464p-1f, -0x1.2ba2d8p-1f, -0x1.d31e1p-3f, 0x1.b20e5cp-1f, -0x1.cc1ba8p-1f }, 0xE4ADA7643FDD0368ULL },
    { NoiseKind::pink, { -0x1.ac9b2p-11f, 0x1.22330cp-3f, -0x1.72c8dp-6f, -0x1.82d226p-5f, 0x1.15ad7ep-3f, -0x1.58070ap-4f }, 0xC5E4BDD498AC8A0BULL },
    { NoiseKind::brown, { -0x1.54a1cap-14f, 0x1.cc2d5ep-7f, 0x1.ca2528p-9f, -0x1.41ba9ap-11f, 0x1.dff1d4p-7f, -0x1.94a34cp-10f }, 0x4F5F44F60F837483ULL },
    { NoiseKind::rain, { -0x1.35bf7ep-11f, -0x1.e3c72p-4f, -0x1.50accp-3f, -0x1.c56ce2p-5f, -0x1.4138ep-4f, -0x1.3651d2p-6f }, 0xA3FE7AB0EBF24E99ULL },
    { NoiseKind::ocean, { -0x1.35248p-14f, 0x1.a55fep-7f, 0x1.3250e8p-12f, -0x1.a5d68ap-9f, 0x1.802fcap-7f, -0x1.6849p-8f }, 0x165D4588C2A7E278ULL },
    { NoiseKind::wind, { -0x1.0ba91cp-12f, 0x1.6b2b4cp-5f, 0x1.f3720cp-8f, -0x1.8a3c1cp-8f, 0x1.5bbe88p-5f, -0x1.87fdc6p-7f }, 0x580170258131D54EULL },
    { NoiseKind::stream, { -0x1.366fp-10f, -0x1.e39b78p-3f, -0x1.17dab4p-2f, 0x1.8df5ap-9f, -0x1.c3bccp-5f, 0x1.177d84p-4f }, 0x00D3BA3530B87C5AULL },
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

std::vector<float> samplesOf(NoiseKind kind, std::uint64_t seed, std::size_t count)
{
    NoiseSampleGenerator generator(kind, seed, 44100.0f);
    std::vector<float> samples(count);
    for (auto& sample : samples)
        sample = generator.next();
    return samples;
}

std::string nameOf(NoiseKind kind) { return std::string(rawValue(kind)); }

} // namespace

TEST(NoiseSampleGeneratorTest, MatchesTheIndependentReferenceForEveryKind)
{
    for (const auto& reference : kReference) {
        SCOPED_TRACE(nameOf(reference.kind));
        const auto samples = samplesOf(reference.kind, kMixerSeed, 44100);
        for (std::size_t index = 0; index < reference.firstSamples.size(); ++index)
            EXPECT_EQ(std::bit_cast<std::uint32_t>(samples[index]), std::bit_cast<std::uint32_t>(reference.firstSamples[index]))
                << "sample " << index << ": " << samples[index] << " instead of " << reference.firstSamples[index];
        EXPECT_EQ(fnv1a(samples), reference.hashOfFirstSecond);
    }
}
