#include "VeltraneKit/Components/StateDot.h"

#include "VeltraneKit/Components/SharedFrameTicker.h"
#include "VeltraneKit/Motion/Motion.h"

#include <QPainter>

#include <cmath>

namespace veltrane {

StateDot::StateDot(const QColor& color, double diameter, bool pulsing, QWidget* parent, FrameTicker* ticker)
    : QWidget(parent)
    , m_style { color, diameter, 0 }
    , m_pulse(ticker ? *ticker : sharedFrameTicker(), pulsing ? 1.0 : 0.0)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_pulse.onFrame = [this] { update(); };
    setFixedSize(sizeHint());
}

void StateDot::setPulsing(bool pulsing)
{
    if (pulsing == this->pulsing())
        return;
    m_pulse.start(pulsing ? 1.0 : 0.0, Animation::easeInOut(Motion::pulseDuration));
}

void StateDot::setColor(const QColor& color)
{
    if (color == m_style.color)
        return;
    m_style.color = color;
    update();
}

QSize StateDot::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_style.diameter + 2 * m_style.overhang()));
    return { side, side };
}

void StateDot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    StateDotPainter dot = m_style;
    dot.pulse = m_pulse.value();
    dot.paint(painter, rect());
}

} // namespace veltrane
