#pragma once

#include "tests/VeltraneKit/TextFiles.h"

#include <QProcess>
#include <QProcessEnvironment>

// Programs as the tests of the application meet them; files are read and written with
// veltrane::testing::readBytes and writeBytes.
namespace testfiles {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end; a crash or a program still running after the timeout gives -1.
inline Finished run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = {},
    int timeoutMs = 15000)
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

} // namespace testfiles
