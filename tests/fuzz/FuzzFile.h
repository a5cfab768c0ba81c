#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace fuzzsupport {

// Writes the input to `fileName` in a private folder that is emptied first, so what one input
// moved aside never meets the next, and gives the file's path.
inline std::filesystem::path writeFuzzFile(const char* fileName, const std::uint8_t* data, std::size_t size)
{
    static const auto folder
        = std::filesystem::temp_directory_path() / ("moorlet-fuzz-" + std::to_string(::getpid()));
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder, error);
    std::ofstream(folder / fileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return folder / fileName;
}

} // namespace fuzzsupport
