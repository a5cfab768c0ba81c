#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace fuzzsupport {

// A private folder for readers that take a path: each input is written to `file()` after the
// folder is emptied, so what one input moved aside never meets the next.
class FuzzFolder {
public:
    explicit FuzzFolder(const char* fileName)
        : m_folder(std::filesystem::temp_directory_path() / ("moorlet-fuzz-" + std::to_string(::getpid())))
        , m_file(m_folder / fileName)
    {
    }

    const std::filesystem::path& file() const { return m_file; }
    const std::filesystem::path& folder() const { return m_folder; }

    void write(const std::uint8_t* data, std::size_t size) const
    {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
        std::filesystem::create_directories(m_folder, error);
        std::ofstream(m_file, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};

} // namespace fuzzsupport
