#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane::DurableFile {

enum class ReadStatus {
    read,       // `text` holds the whole file
    missing,    // no such file (or no such folder): there is nothing to keep
    unreadable, // something is there but could not be read as a regular file
};

struct ReadResult {
    ReadStatus status = ReadStatus::missing;
    std::string text;
};

// Reads a whole regular file. Anything else (a folder, a pipe, a device) is unreadable and never
// blocks the caller; so is a file larger than `largest` bytes or one that does not fit in memory.
ReadResult read(const std::filesystem::path& path, std::uint64_t largest);

// Replaces the file at `path` with `text`: writes a new file beside it, syncs it, renames it over
// `path` and syncs the folder, so the file holds the old text or the new one, never a part, and
// the new one survives a power cut once this returns true. False when any step fails (a full
// disk included); the old file is then untouched and the temporary file removed.
bool replace(const std::filesystem::path& path, std::string_view text);

// Removes the temporary files of `path` that a replace() killed between writing and renaming
// left behind. Only one process may write the file: a replace() under way elsewhere would lose
// its temporary.
void removeStaleTemporaries(const std::filesystem::path& path);

} // namespace veltrane::DurableFile
