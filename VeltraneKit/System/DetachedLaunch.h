#pragma once

#include <QString>
#include <QStringList>

namespace veltrane {

// Starts a program that outlives us, with no shell between: the arguments reach it exactly as
// given, whatever characters they hold. Its standard input, output and error are the null device
// and it starts in the home folder. A program without a slash is looked up on PATH.
//
// Returns whether the process started; its exit is never waited for. Main thread only.
bool launchDetached(const QString& program, const QStringList& arguments = {});

} // namespace veltrane
