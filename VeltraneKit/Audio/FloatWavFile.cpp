#include "VeltraneKit/Audio/FloatWavFile.h"

#include <bit>
#include <cstdint>
#include <fstream>
#include <limits>

namespace veltrane {

namespace {

constexpr std::uint16_t kIeeeFloatFormat = 3;

void putBytes(std::ofstream& stream, std::uint32_t value, int count)
{
    for (int index = 0; index < count; ++index)
        stream.put(static_cast<char>((value >> (8 * index)) & 0xFF));
}

} // namespace

bool FloatWavFile::write(const std::filesystem::path& path, int channelCount, int sampleRate,
    std::span<const float> samples)
{
    static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
    const auto dataBytes = samples.size_bytes();
    if (channelCount <= 0 || sampleRate <= 0 || dataBytes > std::numeric_limits<std::uint32_t>::max() - 64)
        return false;
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    if (!stream)
        return false;
    const auto channels = static_cast<std::uint32_t>(channelCount);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    const auto data = static_cast<std::uint32_t>(dataBytes);
    stream.write("RIFF", 4);
    putBytes(stream, 4 + (8 + 18) + (8 + 4) + (8 + data), 4);
    stream.write("WAVE", 4);
    stream.write("fmt ", 4);
    putBytes(stream, 18, 4);
    putBytes(stream, kIeeeFloatFormat, 2);
    putBytes(stream, channels, 2);
    putBytes(stream, rate, 4);
    putBytes(stream, rate * channels * 4, 4);
    putBytes(stream, channels * 4, 2);
    putBytes(stream, 32, 2);
    putBytes(stream, 0, 2); // no extension
    // Non-PCM data carries a fact chunk with the frame count.
    stream.write("fact", 4);
    putBytes(stream, 4, 4);
    putBytes(stream, static_cast<std::uint32_t>(samples.size() / channels), 4);
    stream.write("data", 4);
    putBytes(stream, data, 4);
    // The samples are written in the machine's order, which on every target of ours is the
    // little-endian order WAVE wants.
    static_assert(std::endian::native == std::endian::little);
    stream.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(dataBytes));
    stream.close();
    return !stream.fail();
}

} // namespace veltrane
