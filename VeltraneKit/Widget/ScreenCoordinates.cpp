#include "VeltraneKit/Widget/ScreenCoordinates.h"

#include <cmath>

namespace veltrane {

namespace {

int whole(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

QRect ScreenCoordinates::toQt(const Rect& rect) const
{
    return QRect(whole(rect.minX()), whole(m_flipLine - rect.maxY()), whole(rect.width()),
        whole(rect.height()));
}

Rect ScreenCoordinates::fromQt(const QRect& rect) const
{
    // QRect::bottom() is the last row inside; the rectangle's lower edge lies one row below.
    return Rect(rect.x(), m_flipLine - (rect.y() + rect.height()), rect.width(), rect.height());
}

Point ScreenCoordinates::fromQt(QPoint point) const
{
    return { static_cast<double>(point.x()), m_flipLine - point.y() };
}

} // namespace veltrane
