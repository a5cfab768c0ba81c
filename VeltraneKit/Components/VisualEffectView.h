#pragma once

#include "VeltraneKit/Components/VisualEffectPainter.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QWidget>

namespace veltrane {

class FrameTicker;

// A translucent material backdrop with rounded corners, clipped to its radius. A new corner
// radius is reached with an ease-out of 0.42 s when it grows and 0.34 s when it shrinks, so the
// backdrop follows the card's expand and collapse springs. Blending behind the window, it asks
// the compositor to blur the desktop under its shape (one such view per window: the last one
// shown or moved sets the window's blur region).
class VisualEffectView : public QWidget {
    Q_OBJECT

public:
    VisualEffectView(Material material, BlendingMode blendingMode, MaterialState state, double cornerRadius,
        QWidget* parent = nullptr, FrameTicker* ticker = nullptr);

    Material material() const { return m_style.material; }
    BlendingMode blendingMode() const { return m_blendingMode; }
    MaterialState state() const { return m_style.state; }
    // The radius asked for, and the one drawn at this moment.
    double cornerRadius() const { return m_radius.target(); }
    double displayedCornerRadius() const { return m_radius.value(); }

    // Applies all four values, as an update of the view would.
    void update(Material material, BlendingMode blendingMode, MaterialState state, double cornerRadius);
    using QWidget::update;

    // The part of the window whose background the compositor is asked to blur, in window
    // coordinates (device pixels); empty when blending within the window or hidden.
    QRegion blurRegion() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void requestBlur();

    VisualEffectPainter m_style;
    BlendingMode m_blendingMode;
    AnimatedValue<double> m_radius;
};

} // namespace veltrane
