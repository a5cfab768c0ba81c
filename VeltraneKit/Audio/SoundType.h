#pragma once

#include <optional>
#include <string_view>

namespace veltrane {

// How a catalogue sound is made.
enum class SoundType {
    generated, // synthesised by the noise generator
    file,      // an audio file
};

std::string_view rawValue(SoundType type);
std::optional<SoundType> soundTypeFromRawValue(std::string_view rawValue);

} // namespace veltrane
