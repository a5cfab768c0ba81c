#pragma once

#include "VeltraneKit/Components/Material.h"

#include <QRectF>

class QPainter;

namespace veltrane {

// The stand-in for the desktop's translucent materials: a rounded fill of the material's colour.
struct VisualEffectPainter {
    Material material = Material::popover;
    MaterialState state = MaterialState::active;
    double cornerRadius = 0;

    void paint(QPainter& painter, const QRectF& frame) const;
};

} // namespace veltrane
