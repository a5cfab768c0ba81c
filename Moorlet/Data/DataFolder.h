#pragma once

#include "VeltraneKit/Files/DurableFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace moorlet {

// The folder that holds the data files, and the few file operations the store needs: read a
// whole file, replace a file atomically, and move an unreadable file out of the way. Failures are
// values; nothing throws and nothing is logged.
class DataFolder {
public:
    using ReadStatus = veltrane::DurableFile::ReadStatus;
    using ReadResult = veltrane::DurableFile::ReadResult;

    enum class MoveResult {
        moved,
        nothingThere,
        failed,
    };

    struct MoveOutcome {
        MoveResult result = MoveResult::failed;
        // Where the file went, when it was moved.
        std::filesystem::path movedTo;
    };

    // Files larger than this are not read but treated as unreadable, and so kept aside rather
    // than overwritten: about four million sessions, far beyond any real history, while reading
    // one of many gigabytes could exhaust the memory. (LocalDataStoreTest covers it.)
    static constexpr std::int64_t kLargestReadableFile = std::int64_t { 1 } << 30;

    explicit DataFolder(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }

    // Creates the folder and its parents when they are missing; false when the folder is not
    // there afterwards.
    bool create() const;

    // Reads the whole file. Anything but a regular file (a folder, a pipe, a device) is
    // unreadable, and a pipe never blocks the caller; so is a file larger than
    // kLargestReadableFile or one that does not fit in memory.
    ReadResult read(std::string_view name) const;

    // Writes `text` to a new file in the folder, flushes it to the disk, renames it over `name`
    // and syncs the folder, so the file holds either the old text or the new one, never a part.
    // False when any step fails; the old file is then untouched and no temporary file is left
    // behind.
    bool write(std::string_view name, std::string_view text) const;
    // Deletes the temporary files of `name` that a write killed before its rename left behind.
    void removeStaleTemporaries(std::string_view name) const;

    // Renames `name` ("sessions.json") to a name that is not taken yet, built from its stem, the
    // tag and its extension ("sessions.unreadable-20260305T101112Z.json", then "…-2.json", …).
    // Nothing is ever renamed over an existing file.
    MoveOutcome moveAside(std::string_view name, std::string_view tag) const;

private:
    std::filesystem::path m_path;
};

} // namespace moorlet
