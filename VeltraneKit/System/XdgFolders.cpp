#include "VeltraneKit/System/XdgFolders.h"

#include <QDir>

namespace veltrane {

namespace {

QString absoluteOr(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

QStringList absoluteListOr(const char* variable, const QStringList& fallback)
{
    QStringList folders;
    const auto entries = qEnvironmentVariable(variable).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        if (QDir::isAbsolutePath(entry))
            folders.append(QDir::cleanPath(entry));
    }
    return folders.isEmpty() ? fallback : folders;
}

} // namespace

XdgFolders XdgFolders::fromEnvironment()
{
    const QString home = QDir::homePath();
    XdgFolders folders;
    folders.configHome = absoluteOr("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    folders.configDirs = absoluteListOr("XDG_CONFIG_DIRS", { QStringLiteral("/etc/xdg") });
    folders.dataHome = absoluteOr("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    folders.dataDirs = absoluteListOr("XDG_DATA_DIRS",
        { QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share") });
    const auto desktops
        = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& desktop : desktops)
        folders.currentDesktops.append(desktop.toLower());
    return folders;
}

QStringList XdgFolders::configSearchPath() const
{
    return QStringList { configHome } + configDirs;
}

QStringList XdgFolders::dataSearchPath() const
{
    return QStringList { dataHome } + dataDirs;
}

} // namespace veltrane
