#include "Moorlet/Views/ForcedAppearance.h"

#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include <QWidget>

namespace moorlet {

std::optional<veltrane::PanelAppearance> forcedAppearance(
    veltrane::AppearancePreference preference, const veltrane::DesktopPreferences* desktop)
{
    switch (preference) {
    case veltrane::AppearancePreference::light:
        return veltrane::PanelAppearance::light;
    case veltrane::AppearancePreference::dark:
        return veltrane::PanelAppearance::dark;
    case veltrane::AppearancePreference::system:
        break;
    }
    // Following the system: the desktop's own preference where it states one, else the palette.
    if (desktop && desktop->colorScheme() == veltrane::ColorScheme::Dark)
        return veltrane::PanelAppearance::dark;
    if (desktop && desktop->colorScheme() == veltrane::ColorScheme::Light)
        return veltrane::PanelAppearance::light;
    return std::nullopt;
}

void followAppearance(QWidget& widget, const veltrane::SettingsStore& settings,
    const veltrane::DesktopPreferences* desktop, std::function<void()> applied)
{
    const auto apply = [&widget, &settings, desktop, applied = std::move(applied)] {
        const auto forced = forcedAppearance(settings.appearance(), desktop);
        widget.setPalette(forced ? veltrane::panelPalette(*forced) : QPalette());
        applied();
    };
    QObject::connect(&settings, &veltrane::SettingsStore::appearanceChanged, &widget, apply);
    if (desktop)
        QObject::connect(desktop, &veltrane::DesktopPreferences::colorSchemeChanged, &widget, apply);
    apply();
}

} // namespace moorlet
