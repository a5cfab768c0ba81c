#pragma once

#include "VeltraneKit/Components/StateDotPainter.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QWidget>

namespace veltrane {

class FrameTicker;

// The state dot as a widget: switching `pulsing` eases the dot between rest and pulse over
// 0.5 s. The dot sits centred; the widget keeps room for the pulse and the glow.
class StateDot : public QWidget {
    Q_OBJECT

public:
    StateDot(const QColor& color, double diameter, bool pulsing, QWidget* parent = nullptr, FrameTicker* ticker = nullptr);

    bool pulsing() const { return m_pulse.target() > 0.5; }
    void setPulsing(bool pulsing);
    void setColor(const QColor& color);
    const QColor& color() const { return m_style.color; }
    // The pulse drawn at this moment, from 0 (rest) to 1.
    double displayedPulse() const { return m_pulse.value(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StateDotPainter m_style;
    AnimatedValue<double> m_pulse;
};

} // namespace veltrane
