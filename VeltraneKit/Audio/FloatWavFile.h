#pragma once

#include <filesystem>
#include <span>

namespace veltrane {

// Writes WAVE files of 32-bit IEEE float samples, so what was rendered is what the file holds.
class FloatWavFile {
public:
    // Interleaved samples, channelCount per frame. Returns whether the whole file was written.
    static bool write(const std::filesystem::path& path, int channelCount, int sampleRate,
        std::span<const float> interleavedSamples);
};

} // namespace veltrane
