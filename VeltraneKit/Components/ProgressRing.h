#pragma once

#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Components/ProgressView.h"

namespace veltrane {

// The card's progress ring. Its circle fits the widget less overhang() on each side.
class ProgressRing : public ProgressView {
    Q_OBJECT

public:
    ProgressRing(const QColor& tint, double lineWidth, double trackOpacity, QWidget* parent = nullptr,
        FrameTicker* ticker = nullptr);

    void setTint(const QColor& tint);
    const QColor& tint() const { return m_style.tint; }
    double overhang() const override { return m_style.overhang(); }

protected:
    void paintProgress(QPainter& painter, const QRectF& frame, double progress) const override;

private:
    ProgressRingPainter m_style;
};

} // namespace veltrane
