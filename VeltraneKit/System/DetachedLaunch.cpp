#include "VeltraneKit/System/DetachedLaunch.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace veltrane {

bool launchDetached(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::homePath());
    // A startup id or activation token left in our environment belongs to our own start; handed
    // on, it would ask the window manager to raise the new program's window over the user's work.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace veltrane
