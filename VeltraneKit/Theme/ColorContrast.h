#pragma once

#include <QColor>

// How well one colour reads on another, measured as the web's accessibility guidelines do
// (relative luminance of sRGB, ratios from 1 to 21), and the nearest colours that read well
// enough. The views use them for what the user must be able to make out whatever the theme and
// appearance: the symbol on a filled button, text on a tinted chip, a selected chip on the card.
namespace veltrane::ColorContrast {

// The colour's relative luminance, 0 for black to 1 for white (opacity is ignored).
double luminance(const QColor& color);
// The contrast ratio of two colours, from 1 (the same) to 21 (black and white); opacity ignored.
double ratio(const QColor& a, const QColor& b);
// `over` drawn over `under` (source-over), the result as opaque as `under` leaves it.
QColor composited(const QColor& over, const QColor& under);
// The colour closest to `tint` on its way to black or to white (whichever reads better on
// `background`) that reaches `minimum` against `background`; `tint` itself when it already does,
// and black or white when nothing between does. The result is opaque.
QColor readableShade(const QColor& tint, const QColor& background, double minimum);
// What to draw a symbol or text in on a solid `fill`: white where white reaches `minimum`, else a
// deep shade of the fill itself, which keeps the fill's hue rather than turning stark black.
QColor contentOn(const QColor& fill, double minimum);

} // namespace veltrane::ColorContrast
