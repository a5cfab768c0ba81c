#include "Moorlet/SettingsWindow/SettingsPane.h"

namespace moorlet {

QString rawValue(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::timer:
        return QStringLiteral("timer");
    case SettingsPane::focus:
        return QStringLiteral("focus");
    case SettingsPane::appearance:
        return QStringLiteral("appearance");
    case SettingsPane::sound:
        return QStringLiteral("sound");
    case SettingsPane::deadlines:
        return QStringLiteral("deadlines");
    case SettingsPane::about:
        return QStringLiteral("about");
    }
    return {};
}

QString title(SettingsPane pane)
{
    QString text = rawValue(pane);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString symbolName(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::timer:
        return QStringLiteral("timer");
    case SettingsPane::focus:
        return QStringLiteral("bolt.fill");
    case SettingsPane::appearance:
        return QStringLiteral("paintbrush");
    case SettingsPane::sound:
        return QStringLiteral("speaker.wave.2");
    case SettingsPane::deadlines:
        return QStringLiteral("calendar");
    case SettingsPane::about:
        return QStringLiteral("info.circle");
    }
    return {};
}

std::optional<SettingsPane> settingsPane(QStringView text)
{
    for (const SettingsPane pane : kAllSettingsPanes) {
        if (rawValue(pane) == text)
            return pane;
    }
    return std::nullopt;
}

} // namespace moorlet
