#pragma once

#include "MoorletCore/SessionMode.h"
#include "VeltraneKit/Settings/UserDefaults.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace moorlet {

// The user's focus preferences, each kept in the user-defaults database under
// "com.veltrane.focus." followed by the property's name, and the session mode they describe.
//
// Everything is read at construction: a missing key, or a value of another kind than the
// property's (see veltrane::UserDefaults for which kinds convert), gives the property's default
// and is left in the database untouched until that setting next changes. Keys that another writer
// changes (a hand edit of the settings file) are read again the same way, with a …Changed signal
// for each value that changed (and sessionModeChanged when the mode they describe did). Every assignment is
// written through at once, even when the value does not change, and its …Changed signal is
// emitted only when it does. Nothing is clamped on the way in: the session mode clamps the long
// break interval when it is built.
//
// Main thread only.
class FocusSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(double dailyGoalMinutes READ dailyGoalMinutes WRITE setDailyGoalMinutes
            NOTIFY dailyGoalMinutesChanged)
    Q_PROPERTY(bool intentionPromptEnabled READ intentionPromptEnabled
            WRITE setIntentionPromptEnabled NOTIFY intentionPromptEnabledChanged)
    Q_PROPERTY(QString defaultSubject READ defaultSubject WRITE setDefaultSubject
            NOTIFY defaultSubjectChanged)
    Q_PROPERTY(QStringList subjects READ subjects WRITE setSubjects NOTIFY subjectsChanged)
    Q_PROPERTY(bool ambientOnFocus READ ambientOnFocus WRITE setAmbientOnFocus
            NOTIFY ambientOnFocusChanged)
    Q_PROPERTY(bool ambientPauseOnBreak READ ambientPauseOnBreak WRITE setAmbientPauseOnBreak
            NOTIFY ambientPauseOnBreakChanged)
    Q_PROPERTY(bool soundEffectsEnabled READ soundEffectsEnabled WRITE setSoundEffectsEnabled
            NOTIFY soundEffectsEnabledChanged)
    Q_PROPERTY(QString modeRaw READ modeRaw WRITE setModeRaw NOTIFY modeRawChanged)
    Q_PROPERTY(bool hasCompletedTour READ hasCompletedTour WRITE setHasCompletedTour
            NOTIFY hasCompletedTourChanged)
    Q_PROPERTY(bool autoUpdateEnabled READ autoUpdateEnabled WRITE setAutoUpdateEnabled
            NOTIFY autoUpdateEnabledChanged)
    Q_PROPERTY(bool globalHotKeyEnabled READ globalHotKeyEnabled WRITE setGlobalHotKeyEnabled
            NOTIFY globalHotKeyEnabledChanged)
    Q_PROPERTY(bool autoShortcutsEnabled READ autoShortcutsEnabled WRITE setAutoShortcutsEnabled
            NOTIFY autoShortcutsEnabledChanged)
    Q_PROPERTY(QString focusShortcutName READ focusShortcutName WRITE setFocusShortcutName
            NOTIFY focusShortcutNameChanged)
    Q_PROPERTY(QString breakShortcutName READ breakShortcutName WRITE setBreakShortcutName
            NOTIFY breakShortcutNameChanged)
    Q_PROPERTY(double customFocusMinutes READ customFocusMinutes WRITE setCustomFocusMinutes
            NOTIFY customFocusMinutesChanged)
    Q_PROPERTY(double customShortBreakMinutes READ customShortBreakMinutes
            WRITE setCustomShortBreakMinutes NOTIFY customShortBreakMinutesChanged)
    Q_PROPERTY(double customLongBreakMinutes READ customLongBreakMinutes
            WRITE setCustomLongBreakMinutes NOTIFY customLongBreakMinutesChanged)
    Q_PROPERTY(int customLongBreakInterval READ customLongBreakInterval
            WRITE setCustomLongBreakInterval NOTIFY customLongBreakIntervalChanged)
    Q_PROPERTY(bool pauseOnLock READ pauseOnLock WRITE setPauseOnLock NOTIFY pauseOnLockChanged)
    Q_PROPERTY(double awayQuestionMinutes READ awayQuestionMinutes WRITE setAwayQuestionMinutes
            NOTIFY awayQuestionMinutesChanged)
    Q_PROPERTY(moorlet::SessionMode sessionMode READ sessionMode NOTIFY sessionModeChanged)

public:
    static constexpr std::string_view kKeyPrefix = "com.veltrane.focus.";

    // The values of modeRaw that mean something; any other text means "pomodoro".
    static constexpr std::string_view kPomodoroMode = "pomodoro";
    static constexpr std::string_view kFlowmodoroMode = "flowmodoro";
    static constexpr std::string_view kCustomMode = "custom";

    explicit FocusSettings(veltrane::UserDefaultsPtr defaults, QObject* parent = nullptr);
    ~FocusSettings() override;

    veltrane::UserDefaults& defaults() const { return *m_defaults; }
    // The full key of a property: "com.veltrane.focus." followed by its name.
    static std::string key(std::string_view name);

    // The daily focus goal in minutes.
    double dailyGoalMinutes() const { return m_dailyGoalMinutes; }
    // Whether the one-line intention field shows when focus starts.
    bool intentionPromptEnabled() const { return m_intentionPromptEnabled; }
    // The subject preselected for new focus blocks; removing it from the list keeps it here.
    QString defaultSubject() const { return m_defaultSubject; }
    QStringList subjects() const { return m_subjects; }
    bool ambientOnFocus() const { return m_ambientOnFocus; }
    bool ambientPauseOnBreak() const { return m_ambientPauseOnBreak; }
    bool soundEffectsEnabled() const { return m_soundEffectsEnabled; }
    // "pomodoro", "flowmodoro" or "custom"; see sessionMode().
    QString modeRaw() const { return m_modeRaw; }
    bool hasCompletedTour() const { return m_hasCompletedTour; }
    bool autoUpdateEnabled() const { return m_autoUpdateEnabled; }
    bool globalHotKeyEnabled() const { return m_globalHotKeyEnabled; }
    // Whether the two named shortcuts run when focus starts and when a break starts.
    bool autoShortcutsEnabled() const { return m_autoShortcutsEnabled; }
    QString focusShortcutName() const { return m_focusShortcutName; }
    QString breakShortcutName() const { return m_breakShortcutName; }
    double customFocusMinutes() const { return m_customFocusMinutes; }
    double customShortBreakMinutes() const { return m_customShortBreakMinutes; }
    double customLongBreakMinutes() const { return m_customLongBreakMinutes; }
    // Stored as given; the session mode turns anything below 2 into 1.
    int customLongBreakInterval() const { return m_customLongBreakInterval; }
    // Whether a focus block pauses when the screen locks.
    bool pauseOnLock() const { return m_pauseOnLock; }
    // After how many idle minutes during focus the card asks, on return, whether the time away
    // counts; 0 or less never asks.
    double awayQuestionMinutes() const { return m_awayQuestionMinutes; }

    // The mode the settings describe, built on every read: the standard Flowmodoro mode for
    // "flowmodoro"; for "custom", a Pomodoro mode of the custom minutes in seconds (no rounding,
    // no lower bound) and the custom interval (below 2 becomes 1); the standard Pomodoro mode for
    // anything else. Never an until-time mode.
    SessionMode sessionMode() const;

    void setDailyGoalMinutes(double value);
    void setIntentionPromptEnabled(bool value);
    void setDefaultSubject(const QString& value);
    void setSubjects(const QStringList& value);
    void setAmbientOnFocus(bool value);
    void setAmbientPauseOnBreak(bool value);
    void setSoundEffectsEnabled(bool value);
    void setModeRaw(const QString& value);
    void setHasCompletedTour(bool value);
    void setAutoUpdateEnabled(bool value);
    void setGlobalHotKeyEnabled(bool value);
    void setAutoShortcutsEnabled(bool value);
    void setFocusShortcutName(const QString& value);
    void setBreakShortcutName(const QString& value);
    void setCustomFocusMinutes(double value);
    void setCustomShortBreakMinutes(double value);
    void setCustomLongBreakMinutes(double value);
    void setCustomLongBreakInterval(int value);
    void setPauseOnLock(bool value);
    void setAwayQuestionMinutes(double value);

    // Appends name with white space trimmed from both ends, unless that leaves nothing or the
    // list already holds exactly that text (case matters).
    void addSubject(const QString& name);
    // Removes every entry equal to name, keeping the order of the rest, and writes the list even
    // when nothing was removed.
    void removeSubject(const QString& name);

Q_SIGNALS:
    void dailyGoalMinutesChanged();
    void intentionPromptEnabledChanged();
    void defaultSubjectChanged();
    void subjectsChanged();
    void ambientOnFocusChanged();
    void ambientPauseOnBreakChanged();
    void soundEffectsEnabledChanged();
    void modeRawChanged();
    void hasCompletedTourChanged();
    void autoUpdateEnabledChanged();
    void globalHotKeyEnabledChanged();
    void autoShortcutsEnabledChanged();
    void focusShortcutNameChanged();
    void breakShortcutNameChanged();
    void customFocusMinutesChanged();
    void customShortBreakMinutesChanged();
    void customLongBreakMinutesChanged();
    void customLongBreakIntervalChanged();
    void pauseOnLockChanged();
    void awayQuestionMinutesChanged();
    // The mode sessionMode() builds differs from before (after modeRaw or a custom value changed).
    void sessionModeChanged();

private:
    // Reads the listed keys (all of them when there is no list) into their properties.
    void readSettings(const std::vector<std::string>* keys);
    template <typename T>
    void write(void (FocusSettings::*changed)(), T& field, T value, std::string_view name);
    // Like write, for the settings the session mode is built from.
    template <typename T>
    void writeModeSetting(void (FocusSettings::*changed)(), T& field, T value, std::string_view name);

    veltrane::UserDefaultsPtr m_defaults;
    int m_observer = 0;

    double m_dailyGoalMinutes {};
    bool m_intentionPromptEnabled {};
    QString m_defaultSubject {};
    QStringList m_subjects {};
    bool m_ambientOnFocus {};
    bool m_ambientPauseOnBreak {};
    bool m_soundEffectsEnabled {};
    QString m_modeRaw {};
    bool m_hasCompletedTour {};
    bool m_autoUpdateEnabled {};
    bool m_globalHotKeyEnabled {};
    bool m_autoShortcutsEnabled {};
    QString m_focusShortcutName {};
    QString m_breakShortcutName {};
    double m_customFocusMinutes {};
    double m_customShortBreakMinutes {};
    double m_customLongBreakMinutes {};
    int m_customLongBreakInterval {};
    bool m_pauseOnLock {};
    double m_awayQuestionMinutes {};
};

} // namespace moorlet
