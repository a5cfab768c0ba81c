#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace shottool {

// The screenshot tools render offscreen unless a platform is asked for. Call before the
// application object exists.
inline void renderOffscreenUnlessAsked()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The folder named by the first argument, else `fallback`, made if missing.
inline QString outputFolder(const QString& fallback)
{
    const QString folder = QCoreApplication::arguments().value(1, fallback);
    QDir().mkpath(folder);
    return folder;
}

} // namespace shottool
