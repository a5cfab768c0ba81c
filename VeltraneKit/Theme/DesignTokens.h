#pragma once

#include "VeltraneKit/Theme/ShadowStyle.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QColor>

class QPalette;

// The fixed look of every view: colours, text styles, spacing, radii, the card shadow and the
// panel widths. Paint code takes its numbers from here rather than spelling them out.
namespace veltrane::DesignTokens {

namespace Colors {
    QColor focus();
    QColor breakPhase();
    QColor idle();
    QColor alert();
    QColor streak();
    QColor notchBackground();
    // The label colours follow a palette's text colour at the desktop's usual label opacities.
    // Paint code passes the palette of the widget it paints, so that a light or dark appearance
    // forced on that widget alone carries through; the forms without one read the
    // application's palette.
    QColor textPrimary(const QPalette& palette);
    QColor textSecondary(const QPalette& palette);
    QColor textTertiary(const QPalette& palette);
    QColor subtleFill(const QPalette& palette);
    QColor textPrimary();
    QColor textSecondary();
    QColor textTertiary();
    QColor subtleFill();
    // A faint white line, the same in either appearance.
    QColor hairline();
    // The palette's window colour: what translucent materials are made of.
    QColor windowBackground(const QPalette& palette);
    QColor windowBackground();
} // namespace Colors

namespace Typography {
    TypeStyle countdownExpanded();
    TypeStyle countdownCollapsed();
    TypeStyle phase();
    TypeStyle label();
    TypeStyle secondary();
    TypeStyle statValue();
    TypeStyle sectionLabel();
    // Numbers in the desktop font at any size and weight, digits of one width.
    TypeStyle metric(double size, QFont::Weight weight);
} // namespace Typography

// The contrast ratios (ColorContrast) aimed at for what the user must make out: a control's
// symbol or its state against what surrounds it (at least 3:1), and text (at least 4.5:1), each a
// little above the least so that colours rounded to 8 bits on screen stay above it.
namespace Contrast {
    inline constexpr double controls = 3.1;
    inline constexpr double text = 4.6;
} // namespace Contrast

namespace Spacing {
    inline constexpr double tight = 4;
    inline constexpr double xs = 8;
    inline constexpr double sm = 12;
    inline constexpr double md = 16;
    inline constexpr double lg = 24;
    inline constexpr double xl = 32;
    inline constexpr double grid = 8;
} // namespace Spacing

namespace Radius {
    inline constexpr double panel = 22;
    inline constexpr double tile = 18;
    inline constexpr double small = 9;
    inline constexpr double notchFallback = 13;
} // namespace Radius

namespace Shadow {
    inline constexpr double radius = 18;
    inline constexpr double y = 8;
    inline constexpr double opacity = 0.18;
    // The three values above as one black drop shadow.
    ShadowStyle style();
} // namespace Shadow

namespace Layout {
    inline constexpr double notchPanelWidth = 340;
    inline constexpr double sideCardWidth = 248;
    inline constexpr double collapsedSideTile = 92;
} // namespace Layout

} // namespace veltrane::DesignTokens
