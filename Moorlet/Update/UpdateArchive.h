#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace moorlet::UpdateArchive {

// Unpacked packages larger than this are refused whole, so that a small download cannot fill
// the disk.
inline constexpr std::uint64_t kDefaultSizeLimit = std::uint64_t(1) << 30;

// Unpacks a .tar.gz or .zip package (the format is read from the data) into `folder`, which
// must exist. Only folders, regular files and links that stay inside `folder` are written: an
// absolute path, a ".." piece, a link leading outside, a device, a FIFO or a socket refuses the
// whole package, as does more than `sizeLimit` bytes of content. False on any failure; the
// folder is then emptied, and nothing was ever written outside it.
bool unpack(const std::filesystem::path& archive, const std::filesystem::path& folder,
    std::uint64_t sizeLimit = kDefaultSizeLimit);

// The program folder a package unpacked into `folder` holds: `folder` itself, or else the first
// of its folders by name, whichever holds an executable regular file bin/moorlet.
std::optional<std::filesystem::path> findBundle(const std::filesystem::path& folder);

// Whether `folder` holds an executable regular file bin/moorlet (not a link to one).
bool isBundle(const std::filesystem::path& folder);

} // namespace moorlet::UpdateArchive
