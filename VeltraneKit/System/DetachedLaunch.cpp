#include "VeltraneKit/System/DetachedLaunch.h"

#include <QDir>
#include <QProcess>

namespace veltrane {

bool launchDetached(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::homePath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace veltrane
