#pragma once

#include "Moorlet/SettingsWindow/SettingsControl.h"
#include "Moorlet/Update/UpdateManager.h"
#include "VeltraneKit/System/HotKeyRegistering.h"

#include <QString>

// The words the settings window shows, in one place.
namespace moorlet::SettingsTexts {

inline constexpr auto kWindowTitle = "Settings";

inline constexpr auto kTimerSection = "Mode";
inline constexpr auto kDisciplineSection = "Discipline";
inline constexpr auto kSubjectsSection = "Subjects";
inline constexpr auto kShortcutSection = "Global shortcut";
inline constexpr auto kDoNotDisturbSection = "Do Not Disturb";
inline constexpr auto kAwaySection = "Away from the desk";
inline constexpr auto kThemeSection = "Theme";
inline constexpr auto kAccentSection = "Custom accent";
inline constexpr auto kWidgetSection = "Widget";
inline constexpr auto kAmbientSection = "Ambient";
inline constexpr auto kCuesSection = "Cues";
inline constexpr auto kAddDeadlineSection = "Add a deadline";
inline constexpr auto kUpcomingSection = "Upcoming";
inline constexpr auto kHelpSection = "Help";
inline constexpr auto kUpdatesSection = "Updates";
inline constexpr auto kAboutSection = "About";

inline constexpr auto kNewSubjectPrompt = "New subject";
inline constexpr auto kAddSubject = "Add";
inline constexpr auto kNewDeadlinePrompt = "Title (e.g. Project launch)";
inline constexpr auto kShortcutNamePrompt = "File name in the shortcuts folder";
// Alt+Super+Space: what the application grabs on X11.
inline constexpr auto kHotKeyCombination = "Alt + Super + Space";
// Where a build or install that does not update itself gets its updates (also the tray menu's).
inline constexpr auto kUpdatesFromPackage = "Updates come from the package you installed";

// The row's title ("Daily goal", "Start / pause from anywhere", …); empty for rows without one.
QString title(SettingsControl control);
// The row's symbol; empty for rows without one.
QString symbolName(SettingsControl control);
// The text of a note or caption row. The automations note names the shortcuts folder.
QString noteText(SettingsControl control, const QString& shortcutsFolder = {});
// Why a hot key in this state does not work (yet); empty once registered.
QString hotKeyNote(veltrane::HotKeyRegistration state);

// The one-line description under the mode picker, by raw mode ("pomodoro", "flowmodoro",
// "custom"; anything else reads as Pomodoro).
QString modeDescription(const QString& modeRaw);
// "Version " and the version.
QString versionLine(const QString& version);
// What the version line says at its end about the update manager's phase: a symbol (empty for
// none) and a short text (empty while idle).
struct UpdateStatus {
    QString symbol;
    QString text;
};
UpdateStatus updateStatus(const UpdateManager::Phase& phase, const QString& availableVersion);
// A deadline's date, as "Tue 10 Mar 2026".
QString deadlineDate(int year, int month, int day);

} // namespace moorlet::SettingsTexts
