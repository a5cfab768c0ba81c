#include "VeltraneKit/Theme/Theme.h"

#include "VeltraneKit/Theme/DesignTokens.h"

namespace veltrane {

const Theme& Theme::defaultTheme()
{
    static const Theme theme { QStringLiteral("default"), QStringLiteral("Mono"), DesignTokens::Colors::focus(),
        Background::material, std::nullopt };
    return theme;
}

} // namespace veltrane
