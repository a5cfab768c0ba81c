#pragma once

#include "VeltraneKit/Components/PillButtonPainter.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QAbstractButton>

#include <functional>

namespace veltrane {

class FrameTicker;

// The circular icon button of the card's controls. It grows to 1.05 while hovered (ease-out
// 0.15 s) and runs `action` when clicked. The widget is larger than the button by overhang()
// on every side so that its shadow and hover growth are not clipped; the button sits centred.
class PillButton : public QAbstractButton {
    Q_OBJECT

public:
    PillButton(const QString& systemImage, const QColor& tint, bool prominent, std::function<void()> action,
        QWidget* parent = nullptr, FrameTicker* ticker = nullptr);

    const PillButtonPainter& painter() const { return m_painter; }
    void setSystemImage(const QString& name);
    void setTint(const QColor& tint);
    // The current hover scale (1.0 at rest).
    double hoverScale() const { return m_scale.value(); }
    // The button's own square within the widget.
    QRectF buttonRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    PillButtonPainter m_painter;
    AnimatedValue<double> m_scale;
};

} // namespace veltrane
