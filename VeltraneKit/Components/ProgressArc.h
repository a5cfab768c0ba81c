#pragma once

#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Components/ProgressView.h"

namespace veltrane {

// The collapsed tile's open progress ring, its gap at the bottom.
class ProgressArc : public PaintedProgressView<ProgressArcPainter> {
    Q_OBJECT

public:
    ProgressArc(const QColor& tint, double lineWidth, QWidget* parent = nullptr, FrameTicker* ticker = nullptr);
};

} // namespace veltrane
