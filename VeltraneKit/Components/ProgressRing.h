#pragma once

#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Components/ProgressView.h"

namespace veltrane {

// The card's progress ring. Its circle fits the widget less overhang() on each side.
class ProgressRing : public PaintedProgressView<ProgressRingPainter> {
    Q_OBJECT

public:
    ProgressRing(const QColor& tint, double lineWidth, double trackOpacity, QWidget* parent = nullptr,
        FrameTicker* ticker = nullptr);
};

} // namespace veltrane
