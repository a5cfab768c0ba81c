#include "Moorlet/SettingsWindow/SettingsBindings.h"

#include "VeltraneKit/System/HotKeyRegistering.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/SettingsWindow/SettingsTexts.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/CardTexts.h"
#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Theme/ColorHex.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using Control = SettingsControl;

// The modes in picker order, by their stored raw value.
constexpr std::array<std::string_view, 3> kModes { FocusSettings::kPomodoroMode, FocusSettings::kFlowmodoroMode,
    FocusSettings::kCustomMode };
// The dock sides in picker order.
constexpr std::array kDockSides { veltrane::DockSide::right, veltrane::DockSide::bottom, veltrane::DockSide::left,
    veltrane::DockSide::top };

// The widget at 0 opacity would be lost on screen; below about 0.3 it can no longer be found.
constexpr SettingsBindings::Range kOpacityRange { 0.3, 1.0 };
constexpr SettingsBindings::Range kVolumeRange { 0.0, 1.0 };
constexpr SettingsBindings::Range kFadeRange { 0.0, 3.0 };

// A value of a range and its place from 0 to 1 along it.
double fractionOf(double value, const SettingsBindings::Range& range)
{
    const double span = range.maximum - range.minimum;
    return span > 0 ? std::clamp((value - range.minimum) / span, 0.0, 1.0) : 0.0;
}

double valueAt(double fraction, const SettingsBindings::Range& range)
{
    return range.minimum + std::clamp(fraction, 0.0, 1.0) * (range.maximum - range.minimum);
}

bool isDuration(Control control)
{
    return control != Control::customInterval;
}

} // namespace

SettingsBindings::SettingsBindings(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics)
    : m_objects(std::move(objects))
    , m_callbacks(std::move(callbacks))
    , m_diagnostics(std::move(diagnostics))
{
    if (!m_objects.clock)
        m_objects.clock = std::make_shared<veltrane::SystemClock>();
}

veltrane::Instant SettingsBindings::now() const
{
    return m_objects.clock->now();
}

bool SettingsBindings::isOn(SettingsControl control) const
{
    const FocusSettings& focus = m_objects.focusSettings;
    const veltrane::SettingsStore& settings = m_objects.settings;
    switch (control) {
    case Control::hotKey:
        return focus.globalHotKeyEnabled();
    case Control::autoShortcuts:
        return focus.autoShortcutsEnabled();
    case Control::customAccent:
        return settings.customAccentEnabled();
    case Control::reduceMotion:
        return settings.forceReduceMotion();
    case Control::ambientOnFocus:
        return focus.ambientOnFocus();
    case Control::ambientPauseOnBreak:
        return focus.ambientPauseOnBreak();
    case Control::soundEffects:
        return focus.soundEffectsEnabled();
    case Control::launchAtLogin:
        return settings.launchAtLogin();
    case Control::pauseOnLock:
        return focus.pauseOnLock();
    case Control::autoUpdate:
        return focus.autoUpdateEnabled();
    default:
        return false;
    }
}

void SettingsBindings::setOn(SettingsControl control, bool on)
{
    FocusSettings& focus = m_objects.focusSettings;
    veltrane::SettingsStore& settings = m_objects.settings;
    switch (control) {
    case Control::hotKey:
        focus.setGlobalHotKeyEnabled(on);
        if (m_callbacks.onHotKeyChange)
            m_callbacks.onHotKeyChange();
        break;
    case Control::autoShortcuts:
        focus.setAutoShortcutsEnabled(on);
        break;
    case Control::customAccent:
        settings.setCustomAccentEnabled(on);
        break;
    case Control::reduceMotion:
        settings.setForceReduceMotion(on);
        break;
    case Control::ambientOnFocus:
        focus.setAmbientOnFocus(on);
        break;
    case Control::ambientPauseOnBreak:
        focus.setAmbientPauseOnBreak(on);
        break;
    case Control::soundEffects:
        focus.setSoundEffectsEnabled(on);
        break;
    case Control::launchAtLogin:
        settings.setLaunchAtLogin(on);
        veltrane::LaunchAtLogin::set(on, m_objects.loginItem);
        break;
    case Control::pauseOnLock:
        focus.setPauseOnLock(on);
        break;
    // Stored with the focus settings, so that the choice outlives the run; the delegate hands it
    // on to the update manager.
    case Control::autoUpdate:
        focus.setAutoUpdateEnabled(on);
        break;
    default:
        break;
    }
}

SettingsBindings::Range SettingsBindings::stepperRange(SettingsControl control)
{
    switch (control) {
    case Control::customFocus:
        return { 5, 120, 1 };
    case Control::customShortBreak:
        return { 1, 60, 1 };
    case Control::customLongBreak:
        return { 5, 90, 1 };
    case Control::customInterval:
        return { 2, 8, 1 };
    case Control::dailyGoal:
        // Quarter hours from a quarter to ten hours: 120, the default, is on the grid.
        return { 15, 600, 15 };
    case Control::awayQuestion:
        // 0 is "Off".
        return { 0, 60, 1 };
    default:
        return { 0, 0, 0 };
    }
}

double SettingsBindings::stepperValue(SettingsControl control) const
{
    const FocusSettings& focus = m_objects.focusSettings;
    switch (control) {
    case Control::customFocus:
        return focus.customFocusMinutes();
    case Control::customShortBreak:
        return focus.customShortBreakMinutes();
    case Control::customLongBreak:
        return focus.customLongBreakMinutes();
    case Control::customInterval:
        return focus.customLongBreakInterval();
    case Control::dailyGoal:
        return focus.dailyGoalMinutes();
    case Control::awayQuestion:
        return focus.awayQuestionMinutes();
    default:
        return 0;
    }
}

QString SettingsBindings::stepperText(SettingsControl control) const
{
    const double value = stepperValue(control);
    if (control == Control::awayQuestion && std::isfinite(value) && value <= 0)
        return QStringLiteral("Off");
    const QString number = std::isfinite(value) ? QString::number(value, 'g', 6) : QStringLiteral("–");
    return isDuration(control) ? number + QStringLiteral(" min") : number;
}

void SettingsBindings::step(SettingsControl control, int direction)
{
    const Range range = stepperRange(control);
    double value = stepperValue(control);
    // A value off the grid (edited by hand) moves to the next grid point in the step's direction;
    // one that is not a number starts over from the lower end.
    if (!std::isfinite(value))
        value = range.minimum;
    else if (direction > 0)
        value = std::floor((value - range.minimum) / range.step + 1e-9) * range.step + range.minimum + range.step;
    else
        value = std::ceil((value - range.minimum) / range.step - 1e-9) * range.step + range.minimum - range.step;
    value = std::clamp(value, range.minimum, range.maximum);

    FocusSettings& focus = m_objects.focusSettings;
    switch (control) {
    case Control::customFocus:
        focus.setCustomFocusMinutes(value);
        break;
    case Control::customShortBreak:
        focus.setCustomShortBreakMinutes(value);
        break;
    case Control::customLongBreak:
        focus.setCustomLongBreakMinutes(value);
        break;
    case Control::customInterval:
        focus.setCustomLongBreakInterval(static_cast<int>(value));
        break;
    case Control::awayQuestion:
        focus.setAwayQuestionMinutes(value);
        return;
    case Control::dailyGoal:
        focus.setDailyGoalMinutes(value);
        // Reaching the new goal with what was already done today is announced like any other.
        m_objects.controller.refreshStats(true);
        return;
    default:
        return;
    }
    // New custom lengths reach an idle engine at once; a running block keeps the lengths it began
    // with until the mode is next applied.
    if (m_objects.controller.engine().phase() == SessionPhase::idle
        && focus.modeRaw() == QLatin1String(FocusSettings::kCustomMode)) {
        m_objects.controller.engine().setMode(focus.sessionMode());
        m_objects.controller.sync();
    }
}

QStringList SettingsBindings::choiceLabels(SettingsControl control)
{
    switch (control) {
    case Control::mode:
        return { QStringLiteral("Pomodoro"), QStringLiteral("Flowmodoro"), QStringLiteral("Custom") };
    case Control::appearance:
        return { QStringLiteral("System"), QStringLiteral("Light"), QStringLiteral("Dark") };
    case Control::dockSide:
        return { QStringLiteral("Right"), QStringLiteral("Bottom"), QStringLiteral("Left"), QStringLiteral("Top") };
    default:
        return {};
    }
}

QStringList SettingsBindings::choiceSymbols(SettingsControl control)
{
    if (control == Control::mode)
        return { QStringLiteral("repeat"), QStringLiteral("infinity"), QString() };
    return {};
}

int SettingsBindings::choice(SettingsControl control) const
{
    switch (control) {
    case Control::mode: {
        const std::string raw = m_objects.focusSettings.modeRaw().toStdString();
        const auto found = std::find(kModes.begin(), kModes.end(), raw);
        // Any other text means Pomodoro.
        return found == kModes.end() ? 0 : static_cast<int>(found - kModes.begin());
    }
    case Control::appearance: {
        const auto found = std::find(veltrane::kAllAppearancePreferences.begin(),
            veltrane::kAllAppearancePreferences.end(), m_objects.settings.appearance());
        return static_cast<int>(found - veltrane::kAllAppearancePreferences.begin());
    }
    case Control::dockSide: {
        // "auto" and anything unknown dock to the right.
        const auto side = veltrane::dockSide(m_objects.settings.widgetMode().toStdString())
                              .value_or(veltrane::DockSide::right);
        return static_cast<int>(std::find(kDockSides.begin(), kDockSides.end(), side) - kDockSides.begin());
    }
    default:
        return -1;
    }
}

void SettingsBindings::choose(SettingsControl control, int index)
{
    switch (control) {
    case Control::mode: {
        if (index < 0 || index >= static_cast<int>(kModes.size()))
            return;
        const QString raw = QString::fromUtf8(kModes[static_cast<std::size_t>(index)].data(),
            static_cast<qsizetype>(kModes[static_cast<std::size_t>(index)].size()));
        const bool changed = raw != m_objects.focusSettings.modeRaw();
        m_objects.focusSettings.setModeRaw(raw);
        if (changed)
            applyModeToEngine();
        break;
    }
    case Control::appearance:
        if (index < 0 || index >= static_cast<int>(veltrane::kAllAppearancePreferences.size()))
            return;
        m_objects.settings.setAppearance(veltrane::kAllAppearancePreferences[static_cast<std::size_t>(index)]);
        if (m_callbacks.onAppearanceChange)
            m_callbacks.onAppearanceChange();
        break;
    case Control::dockSide:
        if (index < 0 || index >= static_cast<int>(kDockSides.size()))
            return;
        // Read when the widget is made at launch: the caption under the picker says so.
        m_objects.settings.setWidgetMode(
            QString::fromUtf8(veltrane::rawValue(kDockSides[static_cast<std::size_t>(index)]).data()));
        break;
    default:
        break;
    }
}

void SettingsBindings::applyModeToEngine()
{
    FocusSessionEngine& engine = m_objects.controller.engine();
    engine.reset();
    engine.setMode(m_objects.focusSettings.sessionMode());
    m_objects.controller.sync();
}

SettingsBindings::Range SettingsBindings::sliderRange(SettingsControl control)
{
    switch (control) {
    case Control::opacity:
        return kOpacityRange;
    case Control::masterVolume:
        return kVolumeRange;
    case Control::fade:
        return kFadeRange;
    default:
        return { 0, 1 };
    }
}

double SettingsBindings::sliderFraction(SettingsControl control) const
{
    const veltrane::SettingsStore& settings = m_objects.settings;
    switch (control) {
    case Control::opacity:
        return fractionOf(settings.widgetOpacity(), kOpacityRange);
    case Control::masterVolume:
        return fractionOf(settings.masterVolume(), kVolumeRange);
    case Control::fade:
        return fractionOf(settings.fadeDuration(), kFadeRange);
    default:
        return 0;
    }
}

void SettingsBindings::setSliderFraction(SettingsControl control, double fraction)
{
    veltrane::SettingsStore& settings = m_objects.settings;
    const double value = valueAt(fraction, sliderRange(control));
    switch (control) {
    case Control::opacity:
        settings.setWidgetOpacity(value);
        break;
    case Control::masterVolume:
        settings.setMasterVolume(value);
        break;
    case Control::fade:
        // Tenths of a second: what the label shows is what is stored.
        settings.setFadeDuration(std::round(value * 10) / 10);
        break;
    default:
        break;
    }
}

QString SettingsBindings::sliderText(SettingsControl control) const
{
    if (control == Control::fade)
        return QString::asprintf("%.1fs", m_objects.settings.fadeDuration());
    return {};
}

QString SettingsBindings::text(SettingsControl control) const
{
    switch (control) {
    case Control::focusShortcutName:
        return m_objects.focusSettings.focusShortcutName();
    case Control::breakShortcutName:
        return m_objects.focusSettings.breakShortcutName();
    case Control::accentColor:
        return m_objects.settings.customAccentHex();
    default:
        return {};
    }
}

void SettingsBindings::setText(SettingsControl control, const QString& text)
{
    switch (control) {
    case Control::focusShortcutName:
        m_objects.focusSettings.setFocusShortcutName(text);
        break;
    case Control::breakShortcutName:
        m_objects.focusSettings.setBreakShortcutName(text);
        break;
    case Control::accentColor:
        setCustomAccentText(text);
        break;
    default:
        break;
    }
}

QString SettingsBindings::valueText(SettingsControl control) const
{
    switch (control) {
    case Control::hotKeyCombination: {
        const auto bound = m_objects.hotKey ? m_objects.hotKey->triggerDescription() : std::string();
        return bound.empty() ? QString::fromUtf8(SettingsTexts::kHotKeyCombination) : QString::fromStdString(bound);
    }
    case Control::version:
        return SettingsTexts::versionLine(m_objects.version);
    default:
        return {};
    }
}

QString SettingsBindings::hotKeyNote() const
{
    if (!m_objects.hotKey || !m_objects.focusSettings.globalHotKeyEnabled())
        return {};
    return SettingsTexts::hotKeyNote(m_objects.hotKey->state());
}

QStringList SettingsBindings::subjects() const
{
    return m_objects.focusSettings.subjects();
}

void SettingsBindings::addSubject(const QString& name)
{
    m_objects.focusSettings.addSubject(name);
}

void SettingsBindings::removeSubject(int index)
{
    const QStringList list = subjects();
    if (index >= 0 && index < list.size())
        m_objects.focusSettings.removeSubject(list[index]);
}

int SettingsBindings::themeCount() const
{
    return static_cast<int>(m_objects.theme.catalog().themes().size());
}

int SettingsBindings::selectedTheme() const
{
    const auto& themes = m_objects.theme.catalog().themes();
    const QString id = m_objects.theme.theme().id;
    const auto found = std::find_if(themes.begin(), themes.end(), [&](const auto& theme) { return theme.id == id; });
    return found == themes.end() ? 0 : static_cast<int>(found - themes.begin());
}

void SettingsBindings::chooseTheme(int index)
{
    const auto& themes = m_objects.theme.catalog().themes();
    if (index >= 0 && index < static_cast<int>(themes.size()))
        m_objects.settings.setAccentThemeID(themes[static_cast<std::size_t>(index)].id);
}

std::optional<QColor> SettingsBindings::customAccent() const
{
    return veltrane::colorFromHexString(m_objects.settings.customAccentHex());
}

void SettingsBindings::setCustomAccent(const QColor& color)
{
    if (color.isValid())
        m_objects.settings.setCustomAccentHex(veltrane::hexString(color));
}

bool SettingsBindings::setCustomAccentText(const QString& text)
{
    const auto color = veltrane::colorFromHexString(text);
    if (color)
        setCustomAccent(*color);
    return color.has_value();
}

QColor SettingsBindings::focusingAccent() const
{
    return m_objects.theme.accent(SessionPhase::focusing);
}

bool SettingsBindings::addDeadline(const QString& title, const QDate& date)
{
    if (title.trimmed().isEmpty() || !date.isValid())
        return false;
    const veltrane::Calendar& calendar = m_objects.calendar;
    const veltrane::Instant current = now();
    const auto chosenDay = calendar.startOfDay(date.year(), date.month(), date.day());
    if (!chosenDay)
        return false;
    // The chosen day at the time of day it is now, as a date picker that shows days only gives.
    const auto instant = calendar.addingDays(calendar.daysBetween(current, *chosenDay), current);
    return instant && m_objects.store.addDeadline(title.toStdString(), *instant).has_value();
}

void SettingsBindings::deleteDeadline(int index)
{
    const auto& deadlines = m_objects.store.deadlines();
    if (index >= 0 && index < static_cast<int>(deadlines.size()))
        m_objects.store.deleteDeadline(deadlines[static_cast<std::size_t>(index)]);
}

int SettingsBindings::deadlineCount() const
{
    return static_cast<int>(m_objects.store.deadlines().size());
}

QString SettingsBindings::deadlineTitle(int index) const
{
    const auto& deadlines = m_objects.store.deadlines();
    if (index < 0 || index >= static_cast<int>(deadlines.size()))
        return {};
    return QString::fromStdString(deadlines[static_cast<std::size_t>(index)].title);
}

QString SettingsBindings::deadlineDetail(int index) const
{
    const auto& deadlines = m_objects.store.deadlines();
    if (index < 0 || index >= static_cast<int>(deadlines.size()))
        return {};
    const Deadline& deadline = deadlines[static_cast<std::size_t>(index)];
    const veltrane::DateComponents day = m_objects.calendar.components(deadline.date);
    return SettingsTexts::deadlineDate(day.year, day.month, day.day) + QStringLiteral(" · ")
        + CardTexts::deadlineCountdown(m_objects.store.daysUntil(deadline, now()));
}

QDate SettingsBindings::today() const
{
    const veltrane::DateComponents day = m_objects.calendar.components(now());
    return QDate(day.year, day.month, day.day);
}

bool SettingsBindings::isIdleTimeAvailable() const
{
    return !m_objects.isIdleTimeAvailable || m_objects.isIdleTimeAvailable();
}

bool SettingsBindings::updatesItself() const
{
    return m_objects.updates && m_objects.updates->updatesItself();
}

UpdateManager::Phase SettingsBindings::updatePhase() const
{
    return m_objects.updates ? m_objects.updates->phase() : UpdateManager::Phase {};
}

SettingsTexts::UpdateStatus SettingsBindings::updateStatus() const
{
    if (!updatesItself())
        return {};
    const auto& available = m_objects.updates->available();
    return SettingsTexts::updateStatus(updatePhase(), available ? QString::fromStdString(available->version) : QString());
}

void SettingsBindings::checkForUpdates() const
{
    if (updatesItself())
        m_objects.updates->check(true);
}

void SettingsBindings::downloadUpdate() const
{
    if (updatesItself())
        m_objects.updates->downloadAndStage();
}

void SettingsBindings::restartToUpdate() const
{
    if (updatesItself())
        m_objects.updates->installAndRelaunch();
}

bool SettingsBindings::isLaunchAtLoginAvailable() const
{
    return veltrane::LaunchAtLogin::isAvailable(m_objects.loginItem);
}

void SettingsBindings::showGuide() const
{
    if (m_callbacks.onShowGuide)
        m_callbacks.onShowGuide();
}

void SettingsBindings::copyDiagnostics() const
{
    if (!m_diagnostics)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(m_diagnostics());
}

} // namespace moorlet
