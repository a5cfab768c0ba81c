#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace veltrane::testing {

// A whole file's bytes, or none when it cannot be read.
inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString readText(const QString& path) { return QString::fromUtf8(readBytes(path)); }

// Replaces the file with `bytes`, making its folder first; `executable` adds the owner's execute
// bit, for scripts.
inline bool writeBytes(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// The same two for standard paths and strings.
inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline bool writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes);
}

} // namespace veltrane::testing
