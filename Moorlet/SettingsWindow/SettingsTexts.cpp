#include "Moorlet/SettingsWindow/SettingsTexts.h"

#include "Moorlet/Settings/FocusSettings.h"

#include <QDate>
#include <QDir>
#include <QLocale>

namespace moorlet::SettingsTexts {

QString title(SettingsControl control)
{
    switch (control) {
    case SettingsControl::customFocus:
        return QStringLiteral("Focus");
    case SettingsControl::customShortBreak:
        return QStringLiteral("Short break");
    case SettingsControl::customLongBreak:
        return QStringLiteral("Long break");
    case SettingsControl::customInterval:
        return QStringLiteral("Long break every ");
    case SettingsControl::dailyGoal:
        return QStringLiteral("Daily goal");
    case SettingsControl::hotKey:
        return QStringLiteral("Start / pause from anywhere");
    case SettingsControl::hotKeyCombination:
        return QStringLiteral("Shortcut");
    case SettingsControl::autoShortcuts:
        return QStringLiteral("Run a Shortcut on focus / break");
    case SettingsControl::focusShortcutName:
        return QStringLiteral("Shortcut when focus starts");
    case SettingsControl::breakShortcutName:
        return QStringLiteral("Shortcut when focus ends");
    case SettingsControl::pauseOnLock:
        return QStringLiteral("Pause focus when the screen locks");
    case SettingsControl::awayQuestion:
        return QStringLiteral("Ask after … idle");
    case SettingsControl::customAccent:
        return QStringLiteral("Custom accent");
    case SettingsControl::accentColor:
        return QStringLiteral("Accent color");
    case SettingsControl::appearance:
        return QStringLiteral("Appearance");
    case SettingsControl::dockSide:
        return QStringLiteral("Dock side");
    case SettingsControl::opacity:
        return QStringLiteral("Opacity");
    case SettingsControl::reduceMotion:
        return QStringLiteral("Reduce motion");
    case SettingsControl::ambientOnFocus:
        return QStringLiteral("Play on focus start");
    case SettingsControl::ambientPauseOnBreak:
        return QStringLiteral("Pause on breaks");
    case SettingsControl::masterVolume:
        return QStringLiteral("Master volume");
    case SettingsControl::fade:
        return QStringLiteral("Fade");
    case SettingsControl::soundEffects:
        return QStringLiteral("Sound on start, focus end & breaks");
    case SettingsControl::newDeadlineDate:
        return QStringLiteral("Date");
    case SettingsControl::addDeadline:
        return QStringLiteral("Add deadline");
    case SettingsControl::noDeadlines:
        return QStringLiteral("No deadlines yet.");
    case SettingsControl::replayTour:
        return QStringLiteral("Replay the welcome tour");
    case SettingsControl::copyDiagnostics:
        return QStringLiteral("Copy diagnostics");
    case SettingsControl::launchAtLogin:
        return QStringLiteral("Launch at login");
    case SettingsControl::updateDownload:
        return QStringLiteral("Download");
    case SettingsControl::updateRestart:
        return QStringLiteral("Restart to update");
    case SettingsControl::autoUpdate:
        return QStringLiteral("Download updates automatically");
    case SettingsControl::checkForUpdates:
        return QStringLiteral("Check for updates now");
    default:
        return {};
    }
}

QString symbolName(SettingsControl control)
{
    switch (control) {
    case SettingsControl::customFocus:
        return QStringLiteral("timer");
    case SettingsControl::customShortBreak:
        return QStringLiteral("cup.and.saucer");
    case SettingsControl::customLongBreak:
        return QStringLiteral("figure.walk");
    case SettingsControl::customInterval:
        return QStringLiteral("arrow.triangle.2.circlepath");
    case SettingsControl::dailyGoal:
        return QStringLiteral("target");
    case SettingsControl::hotKey:
        return QStringLiteral("command");
    case SettingsControl::hotKeyCombination:
        return QStringLiteral("keyboard");
    case SettingsControl::hotKeyNote:
        return QStringLiteral("exclamationmark.triangle");
    case SettingsControl::autoShortcuts:
        return QStringLiteral("moon.fill");
    case SettingsControl::automationsNote:
        return QStringLiteral("info.circle");
    case SettingsControl::pauseOnLock:
        return QStringLiteral("lock.shield.fill");
    case SettingsControl::awayQuestion:
        return QStringLiteral("clock.fill");
    case SettingsControl::awayNote:
        return QStringLiteral("info.circle");
    case SettingsControl::customAccent:
        return QStringLiteral("paintpalette");
    case SettingsControl::accentColor:
        return QStringLiteral("eyedropper");
    case SettingsControl::appearance:
        return QStringLiteral("circle.lefthalf.filled");
    case SettingsControl::dockSide:
        return QStringLiteral("rectangle.righthalf.inset.filled");
    case SettingsControl::opacity:
        return QStringLiteral("slider.horizontal.below.rectangle");
    case SettingsControl::reduceMotion:
        return QStringLiteral("wand.and.stars");
    case SettingsControl::ambientOnFocus:
        return QStringLiteral("play.circle");
    case SettingsControl::ambientPauseOnBreak:
        return QStringLiteral("pause.circle");
    case SettingsControl::masterVolume:
        return QStringLiteral("speaker.wave.2");
    case SettingsControl::fade:
        return QStringLiteral("dial.medium");
    case SettingsControl::ambientNote:
        return QStringLiteral("music.note.list");
    case SettingsControl::addDeadline:
        return QStringLiteral("plus.circle.fill");
    case SettingsControl::noDeadlines:
        return QStringLiteral("calendar.badge.exclamationmark");
    case SettingsControl::deadline:
        return QStringLiteral("trash");
    case SettingsControl::subject:
        return QStringLiteral("minus.circle.fill");
    case SettingsControl::replayTour:
        return QStringLiteral("graduationcap");
    case SettingsControl::helpNote:
        return QStringLiteral("heart");
    case SettingsControl::copyDiagnostics:
        return QStringLiteral("checklist");
    case SettingsControl::privacyNote:
        return QStringLiteral("lock.shield.fill");
    case SettingsControl::launchAtLogin:
        return QStringLiteral("power");
    case SettingsControl::updateDownload:
        return QStringLiteral("arrow.down");
    case SettingsControl::updateRestart:
        return QStringLiteral("arrow.clockwise.circle.fill");
    case SettingsControl::autoUpdate:
        return QStringLiteral("arrow.down.circle.dotted");
    case SettingsControl::checkForUpdates:
        return QStringLiteral("arrow.triangle.2.circlepath");
    case SettingsControl::updatesFromPackage:
        return QStringLiteral("info.circle");
    default:
        return {};
    }
}

QString noteText(SettingsControl control, const QString& shortcutsFolder)
{
    switch (control) {
    case SettingsControl::subjectsCaption:
        return QStringLiteral("Label sessions to see Insights ▸ By subject.");
    case SettingsControl::automationsNote: {
        QString folder = QDir::toNativeSeparators(shortcutsFolder);
        const QString home = QDir::homePath();
        if (!home.isEmpty() && folder.startsWith(home + u'/'))
            folder = u'~' + folder.mid(home.size());
        return QStringLiteral("Put two executable scripts in %1, one that turns the desktop's Do Not Disturb on "
                              "and one that turns it off, then type their file names here. Moorlet runs them so "
                              "notifications go quiet while you work. Working examples for GNOME and KDE Plasma are "
                              "in the README's Automations section.")
            .arg(folder.isEmpty() ? QStringLiteral("the shortcuts folder") : folder);
    }
    case SettingsControl::awayNote:
        return QStringLiteral("This desktop does not tell Moorlet how long you have been idle, so it cannot ask about "
                              "time away from a focus block.");
    case SettingsControl::dockSideCaption:
        return QStringLiteral("Dock side applies on next launch.");
    case SettingsControl::ambientNote:
        return QStringLiteral("Pick sounds, and add your own MP3s, from the widget's ambient mini-player.");
    case SettingsControl::helpNote:
        return QStringLiteral("Stuck on anything? The Help section of the README answers common questions and says "
                              "how to report a problem; “Copy diagnostics” puts what a bug report needs on the "
                              "clipboard.");
    case SettingsControl::updatesFromPackage:
        return QString::fromLatin1(kUpdatesFromPackage);
    case SettingsControl::privacyNote:
        return QStringLiteral("Your data stays on this computer. No accounts; the only network use is the optional "
                              "update check.");
    default:
        return {};
    }
}

QString hotKeyNote(veltrane::HotKeyRegistration state)
{
    const auto instead = QStringLiteral(" Bind “moorlet --toggle” to a key in the desktop's keyboard settings instead.");
    switch (state) {
    case veltrane::HotKeyRegistration::registered:
        return {};
    case veltrane::HotKeyRegistration::pending:
        return QStringLiteral("Waiting for the desktop to bind the shortcut…");
    case veltrane::HotKeyRegistration::unavailable:
        return QStringLiteral("This desktop binds no shortcut for Moorlet.") + instead;
    case veltrane::HotKeyRegistration::refused:
    case veltrane::HotKeyRegistration::unsupportedKey:
        break;
    }
    return QStringLiteral("The desktop did not bind the shortcut.") + instead;
}

QString modeDescription(const QString& modeRaw)
{
    if (modeRaw == QLatin1String(FocusSettings::kFlowmodoroMode))
        return QStringLiteral("Focus counts up; your break is earned in proportion to how long you focused.");
    if (modeRaw == QLatin1String(FocusSettings::kCustomMode))
        return QStringLiteral("Your own lengths for focus and breaks, set below.");
    return QStringLiteral("25 minutes of focus, 5-minute breaks, a long break after every fourth block.");
}

QString versionLine(const QString& version)
{
    return QStringLiteral("Version ") + version;
}

UpdateStatus updateStatus(const UpdateManager::Phase& phase, const QString& availableVersion)
{
    using Kind = UpdateManager::Phase::Kind;
    switch (phase.kind) {
    case Kind::idle:
        break;
    case Kind::checking:
        return { {}, QStringLiteral("Checking for updates…") };
    case Kind::upToDate:
        return { QStringLiteral("checkmark.circle"), QStringLiteral("You're on the latest version.") };
    case Kind::available:
        return { {}, QStringLiteral("Version ") + availableVersion + QStringLiteral(" is available") };
    case Kind::downloading:
        return { QStringLiteral("arrow.down.circle.dotted"), QStringLiteral("Downloading ") + availableVersion + u'…' };
    case Kind::readyToInstall:
        return { QStringLiteral("arrow.clockwise.circle.fill"), QStringLiteral("Version ") + availableVersion + QStringLiteral(" is ready") };
    case Kind::failed:
        return { QStringLiteral("exclamationmark.triangle"), phase.message };
    }
    return {};
}

QString deadlineDate(int year, int month, int day)
{
    return QLocale().toString(QDate(year, month, day), QStringLiteral("ddd d MMM yyyy"));
}

} // namespace moorlet::SettingsTexts
