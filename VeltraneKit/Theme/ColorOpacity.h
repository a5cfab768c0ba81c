#pragma once

#include <QColor>

namespace veltrane {

// The colour with its opacity multiplied by `opacity` (so a half-transparent tint at 0.5 ends
// at a quarter).
inline QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

} // namespace veltrane
