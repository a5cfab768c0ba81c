#pragma once

#include "VeltraneKit/Settings/AppearancePreference.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <functional>
#include <optional>

class QWidget;

namespace veltrane {
class DesktopPreferences;
class SettingsStore;
}

namespace moorlet {

// The light or dark look the views are drawn in: the one the user chose, else the desktop's own
// preference where it states one (`desktop` may be null); none means following the palette.
std::optional<veltrane::PanelAppearance> forcedAppearance(
    veltrane::AppearancePreference preference, const veltrane::DesktopPreferences* desktop);

// Gives `widget` the palette of that look now and whenever the setting or the desktop's scheme
// changes (an empty palette when following the palette), then calls `applied` so the view can
// take the new colours.
void followAppearance(QWidget& widget, const veltrane::SettingsStore& settings,
    const veltrane::DesktopPreferences* desktop, std::function<void()> applied);

} // namespace moorlet
