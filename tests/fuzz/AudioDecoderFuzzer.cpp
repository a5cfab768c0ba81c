// Imported sound files: the decoder either gives stereo audio within its limits or nothing.
#include "VeltraneKit/Audio/AudioFileDecoder.h"

#include "tests/fuzz/FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto decoded = veltrane::AudioFileDecoder::decode(fuzzsupport::writeFuzzFile("sound", data, size));
    if (decoded && (decoded->frameCount() == 0 || decoded->left.size() != decoded->right.size()))
        std::abort();
    return 0;
}
