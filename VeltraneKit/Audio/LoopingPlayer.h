#pragma once

#include "VeltraneKit/Audio/StereoBuffer.h"

#include <cstddef>
#include <memory>
#include <span>

namespace veltrane {

// A source that plays a decoded buffer from its start and loops it endlessly: the frame after the
// last is the first again, with nothing in between. Usable as a SourceNode.
//
// Constructed on the main thread; afterwards only the audio thread calls it.
class LoopingPlayer {
public:
    explicit LoopingPlayer(std::shared_ptr<const StereoBuffer> buffer);

    // Writes frameCount frames: the left channel into channels[0], the right one into
    // channels[1]; further channels get the left one. An empty buffer plays silence.
    void operator()(std::span<float* const> channels, std::size_t frameCount);

private:
    std::shared_ptr<const StereoBuffer> m_buffer;
    std::size_t m_position = 0;
};

} // namespace veltrane
