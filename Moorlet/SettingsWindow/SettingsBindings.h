#pragma once

#include "Moorlet/SettingsWindow/SettingsControl.h"
#include "Moorlet/SettingsWindow/SettingsTexts.h"
#include "Moorlet/Update/UpdateManager.h"
#include "VeltraneKit/System/LaunchAtLogin.h"
#include "VeltraneKit/System/ShortcutRunner.h"
#include "VeltraneKit/Time/Calendar.h"
#include "VeltraneKit/Time/Clock.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace veltrane {
class HotKeyRegistering;
class SettingsStore;
}

namespace moorlet {

class FocusController;
class FocusSettings;
class LocalDataStore;
class ThemeProvider;
class UpdateManager;

// What the settings window edits and reads. All must outlive the window.
struct SettingsObjects {
    veltrane::SettingsStore& settings;
    FocusSettings& focusSettings;
    FocusController& controller;
    LocalDataStore& store;
    ThemeProvider& theme;
    // Shown in the updates section as "Version " and this.
    QString version;
    // The login item the "Launch at login" switch turns on and off.
    veltrane::LaunchAtLogin::Location loginItem = veltrane::LaunchAtLogin::defaultLocation();
    // The folder the automations note names.
    QString shortcutsFolder = veltrane::ShortcutRunner::defaultFolder();
    // Null: the system clock. "Today" for new deadlines and their countdowns.
    veltrane::ClockPtr clock = nullptr;
    veltrane::Calendar calendar = veltrane::Calendar::current();
    // Whether the desktop tells the user's idle time; null counts as yes.
    std::function<bool()> isIdleTimeAvailable = nullptr;
    // The hot key, whose bound keys the "Shortcut" row shows (a desktop portal may bind others
    // than asked) and whose failure it explains; null shows the keys asked for.
    const veltrane::HotKeyRegistering* hotKey = nullptr;
    // Its phase shows in the updates section, whose buttons call it; null (or a manager that
    // does not update this install) shows where updates come from instead.
    UpdateManager* updates = nullptr;
};

// What the window asks of its host.
struct SettingsCallbacks {
    // After the light / dark choice changed: the host applies it to the application.
    std::function<void()> onAppearanceChange;
    // After the global shortcut switch flipped: the host registers or releases the hot key.
    std::function<void()> onHotKeyChange;
    // "Replay the welcome tour".
    std::function<void()> onShowGuide;
};

// The text "Copy diagnostics" puts on the clipboard, gathered by the host.
using DiagnosticsProvider = std::function<QString()>;

// The settings window's controls as values: what each one shows and what setting it writes, the
// controller, data store and host calls each one makes. The view paints and takes input; every
// change goes through here.
//
// Main thread only.
class SettingsBindings {
public:
    struct Range {
        double minimum;
        double maximum;
        // A stepper's step; 0 for sliders.
        double step = 0;
    };

    SettingsBindings(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics);

    const SettingsObjects& objects() const { return m_objects; }
    veltrane::Instant now() const;

    // Why the switched-on hot key does not work (or not yet); empty when it does or is off.
    QString hotKeyNote() const;

    // Switches.
    bool isOn(SettingsControl control) const;
    void setOn(SettingsControl control, bool on);

    // Steppers: the range and step, the value, its text ("25 min", "4").
    static Range stepperRange(SettingsControl control);
    double stepperValue(SettingsControl control) const;
    QString stepperText(SettingsControl control) const;
    // One step down (-1) or up (+1), kept in range.
    void step(SettingsControl control, int direction);

    // Pickers: the segments' labels and symbols, the selected one, choosing one.
    static QStringList choiceLabels(SettingsControl control);
    static QStringList choiceSymbols(SettingsControl control);
    int choice(SettingsControl control) const;
    void choose(SettingsControl control, int index);

    // Sliders: the range, the value (0 … 1 of the range), its text when shown ("0.4s").
    static Range sliderRange(SettingsControl control);
    double sliderFraction(SettingsControl control) const;
    void setSliderFraction(SettingsControl control, double fraction);
    QString sliderText(SettingsControl control) const;

    // Text fields bound to a stored setting (the automation names).
    QString text(SettingsControl control) const;
    void setText(SettingsControl control, const QString& text);

    // Read-only values ("Alt + Super + Space", "Version 1.0.0").
    QString valueText(SettingsControl control) const;

    // Subjects.
    QStringList subjects() const;
    void addSubject(const QString& name);
    void removeSubject(int index);

    // Themes, in swatch order.
    int themeCount() const;
    int selectedTheme() const;
    void chooseTheme(int index);

    // The custom accent as stored; nothing when its text does not parse (the well shows clear).
    std::optional<QColor> customAccent() const;
    void setCustomAccent(const QColor& color);
    // Stores the text when it parses, normalised to six upper-case digits; returns whether it did.
    bool setCustomAccentText(const QString& text);
    // What focusing draws with: the custom accent when on and valid, else the theme's accent.
    QColor focusingAccent() const;

    // Deadlines: adds one titled (trimmed; a blank title adds nothing) on the given day at the
    // current time of day. Returns whether one was added.
    bool addDeadline(const QString& title, const QDate& date);
    void deleteDeadline(int index);
    int deadlineCount() const;
    QString deadlineTitle(int index) const;
    // "Tue 10 Mar 2026 · in 3 days".
    QString deadlineDetail(int index) const;
    QDate today() const;

    // The updates section: whether the program updates itself, the manager's phase, the text at
    // the end of the version line, and the three buttons.
    bool updatesItself() const;
    UpdateManager::Phase updatePhase() const;
    SettingsTexts::UpdateStatus updateStatus() const;
    void checkForUpdates() const;
    void downloadUpdate() const;
    void restartToUpdate() const;

    bool isLaunchAtLoginAvailable() const;
    bool isIdleTimeAvailable() const;
    void showGuide() const;
    // Puts the host's diagnostics text on the clipboard.
    void copyDiagnostics() const;

private:
    void applyModeToEngine();

    SettingsObjects m_objects;
    SettingsCallbacks m_callbacks;
    DiagnosticsProvider m_diagnostics;
};

} // namespace moorlet
