#include "VeltraneKit/Components/Material.h"

#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QGuiApplication>
#include <QPalette>

namespace veltrane {

namespace {

double opacityOf(Material material)
{
    switch (material) {
    case Material::ultraThin:
        return 0.35;
    case Material::thin:
        return 0.5;
    case Material::regular:
        return 0.65;
    case Material::thick:
        return 0.8;
    case Material::popover:
        return 0.82;
    case Material::menu:
        return 0.88;
    case Material::sidebar:
        return 0.75;
    case Material::hudWindow:
        return 0.7;
    case Material::windowBackground:
        return 1.0;
    }
    return 1.0;
}

// An inactive material shows less of what is behind it, as the desktop's own do.
constexpr double kInactiveOpacityBoost = 0.1;

} // namespace

QColor materialFill(Material material, const QPalette& palette, MaterialState state)
{
    QColor base = DesignTokens::Colors::windowBackground(palette);
    if (material == Material::hudWindow)
        base = QColor(30, 30, 32);
    double opacity = opacityOf(material);
    if (state == MaterialState::inactive)
        opacity = std::min(1.0, opacity + kInactiveOpacityBoost);
    base.setAlpha(255);
    return withOpacity(base, opacity);
}

QColor materialFill(Material material, MaterialState state)
{
    return materialFill(material, QGuiApplication::palette(), state);
}

} // namespace veltrane
