#pragma once

#include <QString>

#include <filesystem>

namespace moorlet::UpdateInstaller {

// The script that swaps a staged program folder in for the installed one after the running
// program has quit. Its arguments are $1 the process id to wait for, $2 the installed folder and
// $3 the staged folder: paths reach it as arguments only, never spliced into its text, so any
// byte a path may hold (quotes, "$(", a line break) stays data.
//
// The staged folder is copied to a sibling of the installed one (same filesystem, so that the
// swap is two renames), and the installed folder is moved aside only once the copy is complete.
// A failed copy or rename removes the partial copy and puts the old folder back, so the program
// that is relaunched afterwards is always a complete one: the new version, or else the old.
// Linux keeps no download quarantine attribute to clear, so nothing like xattr runs.
QString script();

// Starts `/bin/sh -c script() moorlet-update PID INSTALLED STAGED` detached from this process,
// so that it outlives it. False when the shell cannot be started.
bool start(qint64 processId, const std::filesystem::path& installed, const std::filesystem::path& staged);

} // namespace moorlet::UpdateInstaller
