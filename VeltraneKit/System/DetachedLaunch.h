#pragma once

#include <QString>
#include <QStringList>

namespace veltrane {

// Starts a program that outlives us, with no shell between: the arguments reach it exactly as
// given, whatever characters they hold. Its standard input, output and error are the null device
// and it starts in the home folder. A program without a slash is looked up on PATH. It gets no
// startup-notification id or activation token, so it asks the window manager for no focus: a
// window it opens may stay behind the one the user works in (how a new window is placed is the
// window manager's choice; nothing more can ask for a start in the background).
//
// Returns whether the process started; its exit is never waited for. Main thread only.
bool launchDetached(const QString& program, const QStringList& arguments = {});

} // namespace veltrane
