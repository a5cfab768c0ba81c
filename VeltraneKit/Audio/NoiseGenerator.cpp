#include "VeltraneKit/Audio/NoiseGenerator.h"

#include "VeltraneKit/Audio/NoiseSampleGenerator.h"

namespace veltrane::NoiseGenerator {

SourceNode makeSourceNode(NoiseKind kind, std::uint64_t seed)
{
    return [generator = NoiseSampleGenerator(kind, seed, kSampleRate)](
               std::span<float* const> channels, std::size_t frameCount) mutable {
        for (std::size_t frame = 0; frame < frameCount; ++frame) {
            const auto sample = generator.next();
            for (auto* channel : channels)
                channel[frame] = sample;
        }
    };
}

} // namespace veltrane::NoiseGenerator
