#pragma once

#include <QPalette>
#include <QRectF>

class QPainter;

namespace gallery {

// One column of the gallery in one appearance: every atom in several states, the theme swatches,
// the text styles and the symbol catalogue. Returns the height it used.
double paintPage(QPainter& painter, const QRectF& area, const QString& title);

// The palettes the two columns are drawn with.
QPalette lightPalette();
QPalette darkPalette();

} // namespace gallery
