#pragma once

#include "VeltraneKit/Audio/StereoBuffer.h"

#include <filesystem>
#include <optional>

namespace veltrane {

// Decodes a whole audio file (mp3, m4a/aac, wav, aiff, caf and whatever else FFmpeg reads) into
// memory as 44100 Hz stereo float. Mono is copied to both channels at full level; more than two
// channels are mixed down. The path may name a file on disk or in the Qt resources (":/…").
//
// Any thread; it blocks for as long as the file takes to decode.
class AudioFileDecoder {
public:
    // Nothing when the file cannot be opened, holds no audio stream, yields no samples, fails to
    // read part way through, or holds more frames than an unsigned 32-bit count or memory allows.
    // A damaged packet is skipped, as players do.
    static std::optional<StereoBuffer> decode(const std::filesystem::path& path);
};

} // namespace veltrane
