#include "VeltraneKit/Files/DurableFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <new>

namespace veltrane::DurableFile {

namespace {

namespace fs = std::filesystem;

// Temporary files are ".<name>.tmp-" and six random characters. Earlier versions of the data
// store wrote ".<name>." and the six characters; those are cleaned up too.
constexpr std::string_view kTemporaryMarker = "tmp-";
constexpr std::size_t kRandomLength = 6;

// Owns a file descriptor and closes it when it goes away.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~FileDescriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_descriptor; }
    bool isValid() const { return m_descriptor >= 0; }
    // Closes now and says whether the close succeeded (it can report a failed delayed write).
    bool close()
    {
        const int descriptor = m_descriptor;
        m_descriptor = -1;
        return ::close(descriptor) == 0;
    }

private:
    int m_descriptor;
};

bool writeAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const auto written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool isAbsentError(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

fs::path folderOf(const fs::path& path)
{
    return path.parent_path().empty() ? fs::path(".") : path.parent_path();
}

ReadResult readAll(int descriptor, std::size_t expectedSize, std::uint64_t largest)
{
    ReadResult result { ReadStatus::read, {} };
    // The size is a hint: read until the end even if the file grows meanwhile.
    result.text.resize(expectedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.text.size())
            result.text.resize(result.text.size() * 2);
        if (filled > largest)
            return { ReadStatus::unreadable, {} };
        const auto count = ::read(descriptor, result.text.data() + filled, result.text.size() - filled);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return { ReadStatus::unreadable, {} };
        }
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    result.text.resize(filled);
    return result;
}

bool isTemporaryOf(std::string_view entry, std::string_view prefix)
{
    if (!entry.starts_with(prefix))
        return false;
    auto rest = entry.substr(prefix.size());
    if (rest.starts_with(kTemporaryMarker))
        rest.remove_prefix(kTemporaryMarker.size());
    return rest.size() == kRandomLength
        && std::all_of(rest.begin(), rest.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

} // namespace

ReadResult read(const fs::path& path, std::uint64_t largest)
{
    // Non-blocking so that a pipe put in the file's place cannot hang the program.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.isValid())
        return { isAbsentError(errno) ? ReadStatus::missing : ReadStatus::unreadable, {} };
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || static_cast<std::uint64_t>(status.st_size) > largest)
        return { ReadStatus::unreadable, {} };
    try {
        return readAll(file.get(), static_cast<std::size_t>(status.st_size), largest);
    } catch (const std::bad_alloc&) {
        return { ReadStatus::unreadable, {} };
    }
}

bool replace(const fs::path& path, std::string_view text)
{
    const auto folder = folderOf(path);
    std::string temporaryPath = (folder / ("." + path.filename().string() + "." + std::string(kTemporaryMarker) + "XXXXXX")).string();
    FileDescriptor file(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (!file.isValid())
        return false;

    // The rename only happens once the new text is on the disk, so a crash or power cut leaves
    // the old file or the new one, never an empty file in its place; and every write, the sync
    // and the close are checked, so a full disk fails the save rather than publishing a part.
    const bool complete = writeAll(file.get(), text) && ::fdatasync(file.get()) == 0 && file.close()
        && ::rename(temporaryPath.c_str(), path.c_str()) == 0;
    if (!complete) {
        ::unlink(temporaryPath.c_str());
        return false;
    }
    // The rename lives in the folder: until the folder is synced a power cut can undo it.
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directory.isValid() && ::fsync(directory.get()) == 0;
}

void removeStaleTemporaries(const fs::path& path)
{
    const auto prefix = "." + path.filename().string() + ".";
    std::error_code error;
    for (auto entry = fs::directory_iterator(folderOf(path), error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        if (isTemporaryOf(entry->path().filename().string(), prefix) && entry->is_regular_file(error))
            ::unlink(entry->path().c_str());
    }
}

} // namespace veltrane::DurableFile
