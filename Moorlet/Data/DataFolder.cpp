#include "Moorlet/Data/DataFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


namespace moorlet {

namespace {

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
    return veltrane::DurableFile::read(m_path / name, kLargestReadableFile);
}

bool DataFolder::write(std::string_view name, std::string_view text) const
{
    return veltrane::DurableFile::replace(m_path / name, text);
}

void DataFolder::removeStaleTemporaries(std::string_view name) const
{
    veltrane::DurableFile::removeStaleTemporaries(m_path / name);
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
