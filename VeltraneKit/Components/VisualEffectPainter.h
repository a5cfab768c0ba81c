#pragma once

#include "VeltraneKit/Components/Material.h"

#include <QRectF>

class QPainter;
class QPalette;

namespace veltrane {

// The stand-in for the desktop's translucent materials: a rounded fill of the material's colour.
struct VisualEffectPainter {
    Material material = Material::popover;
    MaterialState state = MaterialState::active;
    double cornerRadius = 0;

    // The material is made of `palette`'s window colour (the painted widget's palette); without
    // one, of the application's.
    void paint(QPainter& painter, const QRectF& frame, const QPalette& palette) const;
    void paint(QPainter& painter, const QRectF& frame) const;
};

} // namespace veltrane
