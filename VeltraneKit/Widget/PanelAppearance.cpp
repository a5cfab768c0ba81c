#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QColor>

namespace veltrane {

namespace {

struct AppearanceColors {
    QRgb window;
    QRgb base;
    QRgb text;
    QRgb button;
};

constexpr auto kLightColors = AppearanceColors { 0xFFF5F5F7, 0xFFFFFFFF, 0xFF1D1D1F, 0xFFE8E8ED };
constexpr auto kDarkColors = AppearanceColors { 0xFF1E1E20, 0xFF2A2A2D, 0xFFF5F5F7, 0xFF3A3A3C };

} // namespace

QPalette panelPalette(PanelAppearance appearance)
{
    const AppearanceColors& colors = appearance == PanelAppearance::dark ? kDarkColors : kLightColors;
    QPalette palette(QColor::fromRgba(colors.button), QColor::fromRgba(colors.window));
    palette.setColor(QPalette::Base, QColor::fromRgba(colors.base));
    palette.setColor(QPalette::Text, QColor::fromRgba(colors.text));
    palette.setColor(QPalette::WindowText, QColor::fromRgba(colors.text));
    palette.setColor(QPalette::ButtonText, QColor::fromRgba(colors.text));
    return palette;
}

} // namespace veltrane
