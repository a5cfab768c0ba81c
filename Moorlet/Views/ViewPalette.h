#pragma once

#include "VeltraneKit/Components/Material.h"

#include <QColor>
#include <QPalette>

namespace moorlet {

// The design tokens' label and backdrop colours made from one widget's palette rather than the
// application's, so that a widget forced into a light or dark appearance draws its text and
// materials in that appearance.
struct ViewPalette {
    // The widget's palette itself, for the kit's painters.
    QPalette source;
    QColor textPrimary;
    QColor textSecondary;
    QColor textTertiary;
    QColor subtleFill;
    QColor windowBackground;

    static ViewPalette from(const QPalette& palette);

    // The translucent fill that stands for a material, in this palette's window colour.
    QColor material(veltrane::Material material) const;
};

} // namespace moorlet
