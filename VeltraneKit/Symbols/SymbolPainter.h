#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStringView>

class QPainter;

namespace veltrane {

// Draws catalogue symbols in one colour at any size. A name the catalogue does not hold draws
// nothing (the symbol-name test keeps the program's names in the catalogue). Rendered images are
// cached per name, size and tint. Main thread only.
class SymbolPainter {
public:
    // Fits the symbol into `rect`, centred, at the painter's device pixel ratio. Returns whether
    // anything was drawn.
    static bool paint(QPainter& painter, const QRectF& rect, QStringView name, const QColor& tint);
    // Draws the symbol as a glyph of a font of `pointSize` would stand, centred on `center`.
    static bool paint(QPainter& painter, QPointF center, double pointSize, QStringView name, const QColor& tint);

    // The square a symbol of `pointSize` occupies around `center`.
    static QRectF box(QPointF center, double pointSize);
    // The symbol rendered into an image of `pixels`, tinted; a null image for an unknown name.
    static QImage image(QStringView name, QSize pixels, const QColor& tint);
};

} // namespace veltrane
