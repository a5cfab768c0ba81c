#include "VeltraneKit/Audio/ResourceBundle.h"

#include <QFileInfo>

namespace veltrane {

std::optional<std::filesystem::path> ResourceBundle::url(std::string_view name, std::string_view extension) const
{
    auto fileName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (!extension.empty())
        fileName += QLatin1Char('.') + QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
    const QFileInfo info(m_root + QLatin1Char('/') + fileName);
    if (!info.isFile())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(info.filePath()).toStdString());
}

} // namespace veltrane
