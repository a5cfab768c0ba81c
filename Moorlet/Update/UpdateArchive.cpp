#include "Moorlet/Update/UpdateArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace moorlet::UpdateArchive {

namespace {

namespace fs = std::filesystem;

struct ReadDeleter {
    void operator()(archive* handle) const { archive_read_free(handle); }
};
struct WriteDeleter {
    void operator()(archive* handle) const { archive_write_free(handle); }
};
using ReadHandle = std::unique_ptr<archive, ReadDeleter>;
using WriteHandle = std::unique_ptr<archive, WriteDeleter>;

// A relative path with no ".." piece, normalised; nothing for an absolute or escaping one.
std::optional<fs::path> insidePath(const char* name)
{
    if (name == nullptr || *name == '\0')
        return std::nullopt;
    const fs::path path(name);
    if (path.is_absolute() || path.has_root_name())
        return std::nullopt;
    for (const auto& piece : path) {
        if (piece == "..")
            return std::nullopt;
    }
    return path.lexically_normal();
}

// Whether a symbolic link at `entry` (inside the folder) pointing to `target` resolves inside
// the folder, judged on the names alone. The extraction refuses to follow links already on disk
// (ARCHIVE_EXTRACT_SECURE_SYMLINKS), so a chain of links cannot lead out either.
bool linkStaysInside(const fs::path& entry, const char* target)
{
    if (target == nullptr || *target == '\0')
        return false;
    const fs::path link(target);
    if (link.is_absolute())
        return false;
    int depth = 0;
    for (const auto& piece : entry.parent_path() / link) {
        if (piece == "..")
            --depth;
        else if (piece != "." && !piece.empty())
            ++depth;
        if (depth < 0)
            return false;
    }
    return true;
}

bool copyData(archive* reader, archive* writer, std::uint64_t& total, std::uint64_t limit)
{
    for (;;) {
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        const auto status = archive_read_data_block(reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            return true;
        if (status != ARCHIVE_OK)
            return false;
        total += size;
        if (total > limit || archive_write_data_block(writer, block, size, offset) != ARCHIVE_OK)
            return false;
    }
}

bool unpackInto(const fs::path& archivePath, const fs::path& folder, std::uint64_t limit)
{
    ReadHandle reader(archive_read_new());
    WriteHandle writer(archive_write_disk_new());
    if (!reader || !writer)
        return false;
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_tar(reader.get());
    archive_read_support_format_gnutar(reader.get());
    archive_read_support_format_zip(reader.get());
    // Our own checks below come first; these are libarchive's second line. Absolute names are
    // refused before the entry is moved under the folder, whose own path is absolute.
    archive_write_disk_set_options(writer.get(),
        ARCHIVE_EXTRACT_SECURE_SYMLINKS | ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_TIME);
    if (archive_read_open_filename(reader.get(), archivePath.c_str(), 64 * 1024) != ARCHIVE_OK)
        return false;

    std::uint64_t total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const auto status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            return true;
        if (status != ARCHIVE_OK)
            return false;
        const auto path = insidePath(archive_entry_pathname(entry));
        if (!path)
            return false;
        const auto type = archive_entry_filetype(entry);
        if (const char* hardlink = archive_entry_hardlink(entry)) {
            const auto target = insidePath(hardlink);
            if (!target)
                return false;
            archive_entry_set_hardlink(entry, (folder / *target).c_str());
        } else if (type == AE_IFLNK) {
            if (!linkStaysInside(*path, archive_entry_symlink(entry)))
                return false;
        } else if (type != AE_IFREG && type != AE_IFDIR) {
            return false;
        }
        archive_entry_set_pathname(entry, (folder / *path).c_str());
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK)
            return false;
        if (!copyData(reader.get(), writer.get(), total, limit))
            return false;
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK)
            return false;
    }
}

} // namespace

bool unpack(const fs::path& archive, const fs::path& folder, std::uint64_t sizeLimit)
{
    if (unpackInto(archive, folder, sizeLimit))
        return true;
    std::error_code error;
    for (const auto& child : fs::directory_iterator(folder, error))
        fs::remove_all(child.path(), error);
    return false;
}

bool isBundle(const fs::path& folder)
{
    std::error_code error;
    const auto status = fs::symlink_status(folder / "bin" / "moorlet", error);
    constexpr auto executable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !error && fs::is_regular_file(status) && (status.permissions() & executable) != fs::perms::none
        && fs::is_directory(fs::symlink_status(folder, error));
}

std::optional<fs::path> findBundle(const fs::path& folder)
{
    if (isBundle(folder))
        return folder;
    std::error_code error;
    std::vector<fs::path> children;
    for (const auto& child : fs::directory_iterator(folder, error)) {
        if (child.is_directory(error) && !child.is_symlink(error))
            children.push_back(child.path());
    }
    std::sort(children.begin(), children.end());
    if (!children.empty() && isBundle(children.front()))
        return children.front();
    return std::nullopt;
}

} // namespace moorlet::UpdateArchive
