#include "VeltraneKit/Audio/SoundType.h"

namespace veltrane {

std::string_view rawValue(SoundType type)
{
    return type == SoundType::generated ? "generated" : "file";
}

std::optional<SoundType> soundTypeFromRawValue(std::string_view text)
{
    if (text == "generated")
        return SoundType::generated;
    if (text == "file")
        return SoundType::file;
    return std::nullopt;
}

} // namespace veltrane
