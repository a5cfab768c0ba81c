#include "VeltraneKit/System/ShortcutRunner.h"

#include "VeltraneKit/System/DetachedLaunch.h"
#include "VeltraneKit/System/XdgFolders.h"

#include <QDir>
#include <QFileInfo>

namespace veltrane::ShortcutRunner {

QString defaultFolder()
{
    return XdgFolders::fromEnvironment().configHome + QStringLiteral("/Moorlet/shortcuts");
}

bool run(const QString& name, const QString& folder)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) || trimmed.startsWith(QLatin1Char('.'))
        || trimmed.contains(QChar::Null) || folder.isEmpty())
        return false;
    const QFileInfo automation(QDir(folder).filePath(trimmed));
    if (!automation.isFile() || !automation.isExecutable())
        return false;
    return launchDetached(automation.absoluteFilePath());
}

} // namespace veltrane::ShortcutRunner
