#pragma once

#include <QString>

namespace veltrane {

// The application's login item: an XDG autostart entry whose Exec runs this program. The
// application re-applies the user's choice at every launch and the settings window applies it
// when the switch flips.
//
// Silent: an entry that cannot be written or removed leaves no message and changes no setting.
// Main thread only.
namespace LaunchAtLogin {

// Where the entry lives and what it starts. Tests point it at a temporary folder.
struct Location {
    // $XDG_CONFIG_HOME/autostart/moorlet.desktop by default.
    QString entryPath;
    // The running program's absolute path; empty when it cannot be known (no application object).
    QString programPath;
    // The entry's Name.
    QString applicationName;
};

Location defaultLocation();

// True when there is a program to start at login.
bool isAvailable(const Location& location = defaultLocation());
// True when the entry exists and the desktop would act on it (not Hidden, not switched off).
bool isEnabled(const Location& location = defaultLocation());
// Writes or removes the entry. Enabling writes only when the entry is missing, switched off, or
// starts another program than this one (the application was moved); enabling twice writes once.
// Disabling removes the entry; without one it does nothing.
void set(bool enabled, const Location& location = defaultLocation());

} // namespace LaunchAtLogin

} // namespace veltrane
