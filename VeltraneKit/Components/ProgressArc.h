#pragma once

#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Components/ProgressView.h"

namespace veltrane {

// The collapsed tile's open progress ring, its gap at the bottom.
class ProgressArc : public ProgressView {
    Q_OBJECT

public:
    ProgressArc(const QColor& tint, double lineWidth, QWidget* parent = nullptr, FrameTicker* ticker = nullptr);

    void setTint(const QColor& tint);
    const QColor& tint() const { return m_style.tint; }
    double overhang() const override { return m_style.overhang(); }

protected:
    void paintProgress(QPainter& painter, const QRectF& frame, double progress) const override;

private:
    ProgressArcPainter m_style;
};

} // namespace veltrane
