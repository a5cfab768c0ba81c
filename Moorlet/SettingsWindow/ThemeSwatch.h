#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"
#include "VeltraneKit/Theme/Theme.h"

#include <QRectF>

#include <functional>

class QPainter;

namespace moorlet {

struct ViewPalette;

// One theme in the settings window's grid: a preview tile (the theme's accent on a dark surface)
// over the theme's name. The chosen one is outlined in its accent and carries a check; the one
// under the pointer grows a little. Tapping runs the action.
class ThemeSwatch {
public:
    static constexpr double kTileHeight = 34;
    static constexpr double kNameSize = 11;
    static constexpr double kHoverScale = 1.03;
    static constexpr double kHoverDuration = 0.15;
    static constexpr double kCheckSize = 15;
    static constexpr double kOutlineWidth = 1;
    static constexpr double kSelectedOutlineWidth = 2.5;
    static constexpr double kOutlineOpacity = 0.08;

    ThemeSwatch(veltrane::FrameTicker& ticker, veltrane::Theme theme, std::function<void()> action);

    const veltrane::Theme& theme() const { return m_theme; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered);
    double scale() const { return m_scale.value(); }
    void activate() const;

    // Called on every frame of the hover animation, to paint again.
    void setOnFrame(std::function<void()> onFrame);

    // Draws the swatch into `rect` (tile on top, name below), scaled about its centre.
    void paint(QPainter& painter, const QRectF& rect, const ViewPalette& palette) const;

private:
    veltrane::Theme m_theme;
    std::function<void()> m_action;
    bool m_selected = false;
    bool m_hovered = false;
    veltrane::AnimatedValue<double> m_scale;
};

} // namespace moorlet
