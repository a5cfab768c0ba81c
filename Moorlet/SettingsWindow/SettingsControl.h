#pragma once

namespace moorlet {

// Every row of the settings window: a stored setting, an action or a piece of text. The panes
// are built from these, and the bindings know what each one reads and writes.
enum class SettingsControl {
    none,
    // Timer
    mode,
    customFocus,
    customShortBreak,
    customLongBreak,
    customInterval,
    dailyGoal,
    subjectsCaption,
    subject,
    newSubject,
    // Focus
    hotKey,
    hotKeyCombination,
    hotKeyNote,
    autoShortcuts,
    focusShortcutName,
    breakShortcutName,
    automationsNote,
    pauseOnLock,
    awayQuestion,
    awayNote,
    // Appearance
    themes,
    customAccent,
    accentColor,
    appearance,
    dockSide,
    dockSideCaption,
    opacity,
    reduceMotion,
    // Sound
    ambientOnFocus,
    ambientPauseOnBreak,
    masterVolume,
    fade,
    ambientNote,
    soundEffects,
    // Deadlines
    newDeadlineTitle,
    newDeadlineDate,
    addDeadline,
    noDeadlines,
    deadline,
    // About
    replayTour,
    helpNote,
    copyDiagnostics,
    version,
    updateDownload,
    updateRestart,
    autoUpdate,
    checkForUpdates,
    updatesFromPackage,
    privacyNote,
    launchAtLogin,
};

} // namespace moorlet
