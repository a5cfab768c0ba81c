#pragma once

#include <cstddef>
#include <functional>
#include <span>

namespace veltrane {

// A pull-model source in the audio graph: asked for frameCount frames, it writes them into every
// channel buffer it is given (non-interleaved 32-bit float at 44100 Hz).
//
// Called on the audio thread only. It must not allocate, lock or wait.
using SourceNode = std::function<void(std::span<float* const> channels, std::size_t frameCount)>;

} // namespace veltrane
