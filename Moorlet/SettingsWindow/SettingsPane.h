#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace moorlet {

// The panes of the settings window, in sidebar order. Each is known by a raw value; its sidebar
// title is that value with the first letter capitalised.
enum class SettingsPane {
    timer,
    focus,
    appearance,
    sound,
    deadlines,
    // Help, updates and what the program does with the user's data.
    about,
};

inline constexpr std::array kAllSettingsPanes {
    SettingsPane::timer,
    SettingsPane::focus,
    SettingsPane::appearance,
    SettingsPane::sound,
    SettingsPane::deadlines,
    SettingsPane::about,
};

// "timer", "focus", "appearance", "sound", "deadlines", "about".
QString rawValue(SettingsPane pane);
// "Timer", "Focus", …, "About".
QString title(SettingsPane pane);
// The catalogue symbol shown before the title.
QString symbolName(SettingsPane pane);
// The pane whose raw value is exactly `text`, or nothing.
std::optional<SettingsPane> settingsPane(QStringView text);

} // namespace moorlet
