#pragma once

#include "VeltraneKit/Theme/FontDesign.h"

#include <QFont>

namespace veltrane {

// A text style as data: size in points (one point is one device-independent pixel), weight,
// design, and whether digits keep one width so counting numbers do not jiggle.
struct TypeStyle {
    double size = 13;
    QFont::Weight weight = QFont::Normal;
    FontDesign design = FontDesign::standard;
    bool monospacedDigits = false;

    // The font to draw with. Both the bundled rounded face and, where its digits are not of one
    // width already, a stand-in for the desktop font give tabular digits when asked.
    QFont font() const;

    friend bool operator==(const TypeStyle&, const TypeStyle&) = default;
};

} // namespace veltrane
