// The sound catalogue (sounds.json).
#include "VeltraneKit/Audio/SoundLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto library = veltrane::SoundLibrary::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& sound : library.sounds())
        (void)sound.noiseKind();
    return 0;
}
