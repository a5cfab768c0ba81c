#include "Moorlet/Views/ViewPalette.h"

#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

namespace {

// The token's opacity over the given colour.
QColor recolored(const QColor& token, QColor color)
{
    color.setAlphaF(token.alphaF());
    return color;
}

} // namespace

ViewPalette ViewPalette::from(const QPalette& palette)
{
    namespace Colors = veltrane::DesignTokens::Colors;
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    return {
        recolored(Colors::textPrimary(), text),
        recolored(Colors::textSecondary(), text),
        recolored(Colors::textTertiary(), text),
        recolored(Colors::subtleFill(), text),
        palette.color(QPalette::Active, QPalette::Window),
    };
}

QColor ViewPalette::material(veltrane::Material material) const
{
    // The material's colour may differ from the window's (a heads-up display is always dark);
    // only its opacity is taken over when the kit's fill is the window colour.
    const QColor kitFill = veltrane::materialFill(material);
    const QColor kitWindow = veltrane::DesignTokens::Colors::windowBackground();
    if (kitFill.rgb() != kitWindow.rgb())
        return kitFill;
    return recolored(kitFill, windowBackground);
}

} // namespace moorlet
