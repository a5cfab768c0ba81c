#pragma once

#include <QString>

namespace veltrane {

// Runs the user's named automations: an automation is an executable file in the shortcuts folder
// ($XDG_CONFIG_HOME/Moorlet/shortcuts/ unless told otherwise), run by its file name. The focus
// controller runs one when focus starts and another when a break starts.
//
// Fire-and-forget and silent: a blank name, a missing or non-executable file, or a failed start
// leaves no trace. The name is trimmed of surrounding white space; a name holding a slash or
// starting with a dot runs nothing, so no name reaches outside the folder or a hidden file in it.
// The file is started directly, never through a shell, with no arguments; its output goes to the
// null device and it is not waited for.
//
// Main thread only; returns as soon as the process has started.
namespace ShortcutRunner {

// $XDG_CONFIG_HOME/Moorlet/shortcuts (~/.config/Moorlet/shortcuts).
QString defaultFolder();

// Whether an automation was started. Callers may ignore it: every failure is meant to be silent.
bool run(const QString& name, const QString& folder = defaultFolder());

} // namespace ShortcutRunner

} // namespace veltrane
