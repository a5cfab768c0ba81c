#include "Moorlet/Data/DataFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace moorlet {

namespace {

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

// The free name for the attempt-th move of a file: "stem.tag.ext", then "stem.tag-2.ext", …
std::string asideName(std::string_view name, std::string_view tag, int attempt)
{
    const auto dot = name.rfind('.');
    const auto stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const auto extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    std::string result(stem);
    result += '.';
    result += tag;
    if (attempt > 1)
        result += '-' + std::to_string(attempt);
    result += extension;
    return result;
}

// Renames without replacing an existing target. Falls back to a check before a plain rename on
// file systems that cannot do it atomically.
int renameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Reads from the descriptor to the end of the file.
DataFolder::ReadResult readAll(int descriptor, std::size_t expectedSize)
{
    DataFolder::ReadResult result { DataFolder::ReadStatus::read, {} };
    // The size is a hint: read until the end even if the file grows meanwhile.
    result.text.resize(expectedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.text.size())
            result.text.resize(result.text.size() * 2);
        if (filled > static_cast<std::size_t>(DataFolder::kLargestReadableFile))
            return { DataFolder::ReadStatus::unreadable, {} };
        const auto count = ::read(descriptor, result.text.data() + filled, result.text.size() - filled);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return { DataFolder::ReadStatus::unreadable, {} };
        }
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    result.text.resize(filled);
    return result;
}

// More attempts than could ever be needed: each run moves a file aside at most once per list.
constexpr int kMaximumAsideAttempts = 1000;

} // namespace

DataFolder::DataFolder(std::filesystem::path path)
    : m_path(std::move(path))
{
}

bool DataFolder::create() const
{
    std::error_code error;
    std::filesystem::create_directories(m_path, error);
    return std::filesystem::is_directory(m_path, error);
}

DataFolder::ReadResult DataFolder::read(std::string_view name) const
{
    const auto filePath = (m_path / name).string();
    // Non-blocking so that a pipe put in the file's place cannot hang the program.
    FileDescriptor file(::open(filePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.isValid())
        return { isAbsentError(errno) ? ReadStatus::missing : ReadStatus::unreadable, {} };
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestReadableFile)
        return { ReadStatus::unreadable, {} };

    try {
        return readAll(file.get(), static_cast<std::size_t>(status.st_size));
    } catch (const std::bad_alloc&) {
        return { ReadStatus::unreadable, {} };
    }
}

bool DataFolder::write(std::string_view name, std::string_view text) const
{
    const auto target = (m_path / name).string();
    std::string temporaryPath = (m_path / ("." + std::string(name) + ".XXXXXX")).string();
    std::vector<char> pattern(temporaryPath.begin(), temporaryPath.end());
    pattern.push_back('\0');
    FileDescriptor file(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file.isValid())
        return false;
    temporaryPath.assign(pattern.data());

    // The rename only happens once the new text is on the disk, so a crash or power cut leaves
    // the old file or the new one, never an empty file in its place.
    const bool complete = writeAll(file.get(), text) && ::fdatasync(file.get()) == 0 && file.close()
        && ::rename(temporaryPath.c_str(), target.c_str()) == 0;
    if (!complete)
        ::unlink(temporaryPath.c_str());
    return complete;
}

DataFolder::MoveOutcome DataFolder::moveAside(std::string_view name, std::string_view tag) const
{
    const auto from = (m_path / name).string();
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0)
        return { isAbsentError(errno) ? MoveResult::nothingThere : MoveResult::failed, {} };
    for (int attempt = 1; attempt <= kMaximumAsideAttempts; ++attempt) {
        auto to = m_path / asideName(name, tag, attempt);
        const int error = renameWithoutReplacing(from, to.string());
        if (error == 0)
            return { MoveResult::moved, std::move(to) };
        if (error != EEXIST)
            return { isAbsentError(error) && ::lstat(from.c_str(), &status) != 0 ? MoveResult::nothingThere
                                                                                 : MoveResult::failed,
                {} };
    }
    return {};
}

} // namespace moorlet
