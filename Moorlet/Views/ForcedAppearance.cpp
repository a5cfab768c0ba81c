#include "Moorlet/Views/ForcedAppearance.h"

#include "VeltraneKit/Desktop/DesktopPreferences.h"

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

} // namespace moorlet
