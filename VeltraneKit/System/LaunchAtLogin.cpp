#include "VeltraneKit/System/LaunchAtLogin.h"

#include "VeltraneKit/System/DesktopEntry.h"
#include "VeltraneKit/System/XdgFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace veltrane::LaunchAtLogin {

namespace {

// GNOME reads this switch in place of deleting the file; the other desktops ignore it.
const auto kGnomeEnabledKey = QStringLiteral("X-GNOME-Autostart-enabled");

bool isSwitchedOn(const DesktopEntry& entry)
{
    return !entry.isTrue(QStringLiteral("Hidden"))
        && entry.value(kGnomeEnabledKey).value_or(QStringLiteral("true")) != QLatin1String("false");
}

QString entryText(const Location& location)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "%3=true\n")
        .arg(DesktopEntry::escapeValue(location.applicationName),
            DesktopEntry::execValue({ location.programPath }), kGnomeEnabledKey);
}

} // namespace

Location defaultLocation()
{
    Location location;
    location.entryPath
        = XdgFolders::fromEnvironment().configHome + QStringLiteral("/autostart/moorlet.desktop");
    if (QCoreApplication::instance())
        location.programPath = QCoreApplication::applicationFilePath();
    location.applicationName = QStringLiteral("Moorlet");
    return location;
}

bool isAvailable(const Location& location)
{
    return !location.programPath.isEmpty() && !location.entryPath.isEmpty();
}

bool isEnabled(const Location& location)
{
    if (!isAvailable(location))
        return false;
    const auto entry = DesktopEntry::load(location.entryPath);
    return entry && isSwitchedOn(*entry);
}

void set(bool enabled, const Location& location)
{
    if (!isAvailable(location))
        return;
    if (!enabled) {
        if (QFileInfo::exists(location.entryPath))
            QFile::remove(location.entryPath);
        return;
    }
    const auto entry = DesktopEntry::load(location.entryPath);
    if (entry && isSwitchedOn(*entry) && entry->command() == QStringList { location.programPath })
        return;
    QDir().mkpath(QFileInfo(location.entryPath).absolutePath());
    QSaveFile file(location.entryPath);
    // Unbuffered, so that a full disk fails the write: QSaveFile's commit() renames the file into
    // place even when flushing its buffer fails.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const auto text = entryText(location).toUtf8();
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

} // namespace veltrane::LaunchAtLogin
