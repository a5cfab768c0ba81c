#pragma once

#include <QPalette>

namespace veltrane {

// A forced light or dark look for the panel; no value means following the desktop.
enum class PanelAppearance {
    light,
    dark,
};

// The palette the panel's content inherits under a forced appearance.
QPalette panelPalette(PanelAppearance appearance);

} // namespace veltrane
