#pragma once

#include "VeltraneKit/Audio/NoiseKind.h"
#include "VeltraneKit/Audio/SourceNode.h"

#include <cstdint>

namespace veltrane {

// Wraps noise voices into sources of the audio graph.
namespace NoiseGenerator {

inline constexpr float kSampleRate = 44100.0f;

// A source that owns a new NoiseSampleGenerator of this kind and seed at 44100 Hz and, asked for
// N frames, takes N successive samples and writes each one to the same frame of every channel.
// Nothing else touches the generator afterwards.
SourceNode makeSourceNode(NoiseKind kind, std::uint64_t seed);

} // namespace NoiseGenerator

} // namespace veltrane
