#pragma once

#include "VeltraneKit/Geometry/Rect.h"

#include <QPoint>
#include <QRect>

namespace veltrane {

// Converts between the kit's y-up screen coordinates and Qt's y-down ones. y-up measures from
// the flip line (ScreenProvider::yFlipLine, the bottom of the virtual desktop), so
// y-up = flipLine − y-down; a rectangle's y-up origin is its bottom-left corner.
class ScreenCoordinates {
public:
    explicit ScreenCoordinates(double yFlipLine)
        : m_flipLine(yFlipLine)
    {
    }

    // Rounded to whole pixels (Qt's window geometry is integral).
    QRect toQt(const Rect& rect) const;
    Rect fromQt(const QRect& rect) const;
    Point fromQt(QPoint point) const;

private:
    double m_flipLine;
};

} // namespace veltrane
