#pragma once

#include <cstddef>
#include <vector>

namespace veltrane {

// Stereo audio held in memory: two channels of 32-bit float samples at 44100 Hz, of equal length.
struct StereoBuffer {
    static constexpr int kSampleRate = 44100;

    std::vector<float> left;
    std::vector<float> right;

    std::size_t frameCount() const { return left.size(); }
};

} // namespace veltrane
