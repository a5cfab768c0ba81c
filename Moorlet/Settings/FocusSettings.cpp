#include "Moorlet/Settings/FocusSettings.h"

#include "VeltraneKit/Settings/SettingCodec.h"

#include <cassert>

namespace moorlet {

namespace {

using veltrane::readSetting;

constexpr double kDefaultDailyGoalMinutes = 120;
constexpr bool kDefaultIntentionPromptEnabled = true;
constexpr bool kDefaultAmbientOnFocus = true;
constexpr bool kDefaultAmbientPauseOnBreak = true;
constexpr bool kDefaultSoundEffectsEnabled = true;
constexpr bool kDefaultHasCompletedTour = false;
constexpr bool kDefaultAutoUpdateEnabled = true;
constexpr bool kDefaultGlobalHotKeyEnabled = true;
constexpr bool kDefaultAutoShortcutsEnabled = false;
constexpr double kDefaultCustomFocusMinutes = 50;
constexpr double kDefaultCustomShortBreakMinutes = 10;
constexpr double kDefaultCustomLongBreakMinutes = 25;
constexpr int kDefaultCustomLongBreakInterval = 4;
constexpr bool kDefaultPauseOnLock = true;
constexpr double kDefaultAwayQuestionMinutes = 5;
constexpr double kSecondsPerMinute = 60;

QStringList defaultSubjects()
{
    return { QStringLiteral("Study"), QStringLiteral("Work"), QStringLiteral("Reading"),
        QStringLiteral("Writing") };
}

QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

FocusSettings::FocusSettings(veltrane::UserDefaultsPtr defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(std::move(defaults))
{
    assert(m_defaults);
    readSettings(nullptr);
    m_observer = m_defaults->addChangeObserver(
        [this](const std::vector<std::string>& keys) { readSettings(&keys); });
}

FocusSettings::~FocusSettings()
{
    m_defaults->removeChangeObserver(m_observer);
}

void FocusSettings::readSettings(const std::vector<std::string>* keys)
{
    const auto modeBefore = sessionMode();
    const auto read = [&]<typename T>(void (FocusSettings::*changed)(), T& field,
                          std::string_view name, T fallback) {
        if (const auto full = key(name); veltrane::isAmong(keys, full))
            veltrane::readSettingInto(this, changed, field, *m_defaults, full, std::move(fallback));
    };
    read(&FocusSettings::dailyGoalMinutesChanged, m_dailyGoalMinutes,
        "dailyGoalMinutes", kDefaultDailyGoalMinutes);
    read(&FocusSettings::intentionPromptEnabledChanged, m_intentionPromptEnabled,
        "intentionPromptEnabled", kDefaultIntentionPromptEnabled);
    read(&FocusSettings::defaultSubjectChanged, m_defaultSubject, "defaultSubject", QString());
    read(&FocusSettings::subjectsChanged, m_subjects, "subjects", defaultSubjects());
    read(&FocusSettings::ambientOnFocusChanged, m_ambientOnFocus,
        "ambientOnFocus", kDefaultAmbientOnFocus);
    read(&FocusSettings::ambientPauseOnBreakChanged, m_ambientPauseOnBreak,
        "ambientPauseOnBreak", kDefaultAmbientPauseOnBreak);
    read(&FocusSettings::soundEffectsEnabledChanged, m_soundEffectsEnabled,
        "soundEffectsEnabled", kDefaultSoundEffectsEnabled);
    read(&FocusSettings::modeRawChanged, m_modeRaw, "modeRaw", qString(kPomodoroMode));
    read(&FocusSettings::hasCompletedTourChanged, m_hasCompletedTour,
        "hasCompletedTour", kDefaultHasCompletedTour);
    read(&FocusSettings::autoUpdateEnabledChanged, m_autoUpdateEnabled,
        "autoUpdateEnabled", kDefaultAutoUpdateEnabled);
    read(&FocusSettings::globalHotKeyEnabledChanged, m_globalHotKeyEnabled,
        "globalHotKeyEnabled", kDefaultGlobalHotKeyEnabled);
    read(&FocusSettings::autoShortcutsEnabledChanged, m_autoShortcutsEnabled,
        "autoShortcutsEnabled", kDefaultAutoShortcutsEnabled);
    read(&FocusSettings::focusShortcutNameChanged, m_focusShortcutName,
        "focusShortcutName", QString());
    read(&FocusSettings::breakShortcutNameChanged, m_breakShortcutName,
        "breakShortcutName", QString());
    read(&FocusSettings::customFocusMinutesChanged, m_customFocusMinutes,
        "customFocusMinutes", kDefaultCustomFocusMinutes);
    read(&FocusSettings::customShortBreakMinutesChanged, m_customShortBreakMinutes,
        "customShortBreakMinutes", kDefaultCustomShortBreakMinutes);
    read(&FocusSettings::customLongBreakMinutesChanged, m_customLongBreakMinutes,
        "customLongBreakMinutes", kDefaultCustomLongBreakMinutes);
    read(&FocusSettings::customLongBreakIntervalChanged, m_customLongBreakInterval,
        "customLongBreakInterval", kDefaultCustomLongBreakInterval);
    read(&FocusSettings::pauseOnLockChanged, m_pauseOnLock, "pauseOnLock", kDefaultPauseOnLock);
    read(&FocusSettings::awayQuestionMinutesChanged, m_awayQuestionMinutes,
        "awayQuestionMinutes", kDefaultAwayQuestionMinutes);
    if (sessionMode() != modeBefore)
        Q_EMIT sessionModeChanged();
}

std::string FocusSettings::key(std::string_view name)
{
    std::string full(kKeyPrefix);
    full += name;
    return full;
}

SessionMode FocusSettings::sessionMode() const
{
    if (m_modeRaw == qString(kFlowmodoroMode))
        return SessionMode::flowmodoro();
    if (m_modeRaw == qString(kCustomMode)) {
        // The configuration's constructor turns an interval below 2 into 1.
        return SessionMode::pomodoro(PomodoroConfig(m_customFocusMinutes * kSecondsPerMinute,
            m_customShortBreakMinutes * kSecondsPerMinute,
            m_customLongBreakMinutes * kSecondsPerMinute, m_customLongBreakInterval));
    }
    return SessionMode::pomodoro();
}

template <typename T>
void FocusSettings::write(void (FocusSettings::*changed)(), T& field, T value, std::string_view name)
{
    veltrane::writeSetting(this, changed, field, std::move(value), *m_defaults, key(name));
}

template <typename T>
void FocusSettings::writeModeSetting(
    void (FocusSettings::*changed)(), T& field, T value, std::string_view name)
{
    const auto before = sessionMode();
    write(changed, field, std::move(value), name);
    if (sessionMode() != before)
        Q_EMIT sessionModeChanged();
}

void FocusSettings::setDailyGoalMinutes(double value)
{
    write(&FocusSettings::dailyGoalMinutesChanged, m_dailyGoalMinutes, value, "dailyGoalMinutes");
}

void FocusSettings::setIntentionPromptEnabled(bool value)
{
    write(&FocusSettings::intentionPromptEnabledChanged, m_intentionPromptEnabled, value,
        "intentionPromptEnabled");
}

void FocusSettings::setDefaultSubject(const QString& value)
{
    write(&FocusSettings::defaultSubjectChanged, m_defaultSubject, value, "defaultSubject");
}

void FocusSettings::setSubjects(const QStringList& value)
{
    write(&FocusSettings::subjectsChanged, m_subjects, value, "subjects");
}

void FocusSettings::setAmbientOnFocus(bool value)
{
    write(&FocusSettings::ambientOnFocusChanged, m_ambientOnFocus, value, "ambientOnFocus");
}

void FocusSettings::setAmbientPauseOnBreak(bool value)
{
    write(&FocusSettings::ambientPauseOnBreakChanged, m_ambientPauseOnBreak, value,
        "ambientPauseOnBreak");
}

void FocusSettings::setSoundEffectsEnabled(bool value)
{
    write(&FocusSettings::soundEffectsEnabledChanged, m_soundEffectsEnabled, value,
        "soundEffectsEnabled");
}

void FocusSettings::setModeRaw(const QString& value)
{
    writeModeSetting(&FocusSettings::modeRawChanged, m_modeRaw, value, "modeRaw");
}

void FocusSettings::setHasCompletedTour(bool value)
{
    write(&FocusSettings::hasCompletedTourChanged, m_hasCompletedTour, value, "hasCompletedTour");
}

void FocusSettings::setAutoUpdateEnabled(bool value)
{
    write(&FocusSettings::autoUpdateEnabledChanged, m_autoUpdateEnabled, value,
        "autoUpdateEnabled");
}

void FocusSettings::setGlobalHotKeyEnabled(bool value)
{
    write(&FocusSettings::globalHotKeyEnabledChanged, m_globalHotKeyEnabled, value,
        "globalHotKeyEnabled");
}

void FocusSettings::setPauseOnLock(bool value)
{
    write(&FocusSettings::pauseOnLockChanged, m_pauseOnLock, value, "pauseOnLock");
}

void FocusSettings::setAwayQuestionMinutes(double value)
{
    write(&FocusSettings::awayQuestionMinutesChanged, m_awayQuestionMinutes, value, "awayQuestionMinutes");
}

void FocusSettings::setAutoShortcutsEnabled(bool value)
{
    write(&FocusSettings::autoShortcutsEnabledChanged, m_autoShortcutsEnabled, value,
        "autoShortcutsEnabled");
}

void FocusSettings::setFocusShortcutName(const QString& value)
{
    write(&FocusSettings::focusShortcutNameChanged, m_focusShortcutName, value,
        "focusShortcutName");
}

void FocusSettings::setBreakShortcutName(const QString& value)
{
    write(&FocusSettings::breakShortcutNameChanged, m_breakShortcutName, value,
        "breakShortcutName");
}

void FocusSettings::setCustomFocusMinutes(double value)
{
    writeModeSetting(&FocusSettings::customFocusMinutesChanged, m_customFocusMinutes, value,
        "customFocusMinutes");
}

void FocusSettings::setCustomShortBreakMinutes(double value)
{
    writeModeSetting(&FocusSettings::customShortBreakMinutesChanged, m_customShortBreakMinutes,
        value, "customShortBreakMinutes");
}

void FocusSettings::setCustomLongBreakMinutes(double value)
{
    writeModeSetting(&FocusSettings::customLongBreakMinutesChanged, m_customLongBreakMinutes,
        value, "customLongBreakMinutes");
}

void FocusSettings::setCustomLongBreakInterval(int value)
{
    writeModeSetting(&FocusSettings::customLongBreakIntervalChanged, m_customLongBreakInterval,
        value, "customLongBreakInterval");
}

void FocusSettings::addSubject(const QString& name)
{
    const auto trimmed = name.trimmed();
    if (trimmed.isEmpty() || m_subjects.contains(trimmed, Qt::CaseSensitive))
        return;
    auto subjects = m_subjects;
    subjects.append(trimmed);
    setSubjects(subjects);
}

void FocusSettings::removeSubject(const QString& name)
{
    auto subjects = m_subjects;
    subjects.removeAll(name);
    setSubjects(subjects);
}

} // namespace moorlet

#include "moc_FocusSettings.cpp"
