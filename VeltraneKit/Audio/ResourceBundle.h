#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string_view>

namespace veltrane {

// Where an application's resources are looked up: one folder, either in the Qt resources
// (":/sounds") or on disk.
//
// Any thread.
class ResourceBundle {
public:
    explicit ResourceBundle(QString root)
        : m_root(std::move(root))
    {
    }

    const QString& root() const { return m_root; }

    // The resource name.extension (just name when extension is empty), or nothing when there is
    // no such file.
    std::optional<std::filesystem::path> url(std::string_view name, std::string_view extension) const;

private:
    QString m_root;
};

} // namespace veltrane
