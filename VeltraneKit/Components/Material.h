#pragma once

#include <QColor>

class QPalette;

namespace veltrane {

// The translucent backdrops windows and controls sit on. On this desktop a material is a
// translucent fill of the window colour, more opaque the thicker the material.
enum class Material {
    ultraThin,
    thin,
    regular,
    thick,
    popover,
    menu,
    sidebar,
    hudWindow,
    windowBackground,
};

// Whether the material shows what lies behind the window or behind the view within it.
enum class BlendingMode {
    behindWindow,
    withinWindow,
};

// Whether the material looks active always, never, or as its window does.
enum class MaterialState {
    followsWindowActiveState,
    active,
    inactive,
};

// The fill that stands for the material, from the palette's window colour: the palette of the
// widget being painted, or without one the application's.
QColor materialFill(Material material, const QPalette& palette, MaterialState state = MaterialState::active);
QColor materialFill(Material material, MaterialState state = MaterialState::active);

} // namespace veltrane
