#pragma once

#include "VeltraneKit/Settings/AppearancePreference.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <optional>

namespace veltrane {
class DesktopPreferences;
}

namespace moorlet {

// The light or dark look the views are drawn in: the one the user chose, else the desktop's own
// preference where it states one (`desktop` may be null); none means following the palette.
std::optional<veltrane::PanelAppearance> forcedAppearance(
    veltrane::AppearancePreference preference, const veltrane::DesktopPreferences* desktop);

} // namespace moorlet
