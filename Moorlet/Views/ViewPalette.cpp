#include "Moorlet/Views/ViewPalette.h"

#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

ViewPalette ViewPalette::from(const QPalette& palette)
{
    namespace Colors = veltrane::DesignTokens::Colors;
    return {
        palette,
        Colors::textPrimary(palette),
        Colors::textSecondary(palette),
        Colors::textTertiary(palette),
        Colors::subtleFill(palette),
        Colors::windowBackground(palette),
    };
}

QColor ViewPalette::material(veltrane::Material material) const
{
    return veltrane::materialFill(material, source);
}

} // namespace moorlet
