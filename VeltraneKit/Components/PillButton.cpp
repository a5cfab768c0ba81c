#include "VeltraneKit/Components/PillButton.h"

#include "VeltraneKit/Components/SharedFrameTicker.h"

#include <QPainter>

#include <cmath>

namespace veltrane {

namespace {

constexpr double kHoverScale = 1.05;
constexpr Seconds kHoverDuration = 0.15;

} // namespace

PillButton::PillButton(const QString& systemImage, const QColor& tint, bool prominent, std::function<void()> action,
    QWidget* parent, FrameTicker* ticker)
    : QAbstractButton(parent)
    , m_painter(systemImage, tint, prominent)
    , m_scale(ticker ? *ticker : sharedFrameTicker(), 1.0)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
    m_scale.onFrame = [this] { update(); };
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

void PillButton::setSystemImage(const QString& name)
{
    if (name == m_painter.systemImage())
        return;
    m_painter.setSystemImage(name);
    update();
}

void PillButton::setTint(const QColor& tint)
{
    if (tint == m_painter.tint())
        return;
    m_painter.setTint(tint);
    update();
}

QSize PillButton::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_painter.diameter() + 2 * m_painter.overhang()));
    return { side, side };
}

QRectF PillButton::buttonRect() const
{
    const double d = m_painter.diameter();
    return { width() / 2.0 - d / 2, height() / 2.0 - d / 2, d, d };
}

void PillButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_painter.paint(painter, buttonRect(), palette(), m_scale.value());
}

void PillButton::enterEvent(QEnterEvent* event)
{
    m_scale.start(kHoverScale, Animation::easeOut(kHoverDuration));
    QAbstractButton::enterEvent(event);
}

void PillButton::leaveEvent(QEvent* event)
{
    m_scale.start(1.0, Animation::easeOut(kHoverDuration));
    QAbstractButton::leaveEvent(event);
}

bool PillButton::hitButton(const QPoint& position) const
{
    const QRectF button = buttonRect();
    const QPointF delta = QPointF(position) - button.center();
    return std::hypot(delta.x(), delta.y()) <= button.width() / 2;
}

} // namespace veltrane
