#include "VeltraneKit/Components/VisualEffectView.h"

#include "VeltraneKit/Components/SharedFrameTicker.h"
#include "VeltraneKit/Components/X11BlurBehind.h"

#include <QPainter>
#include <QPainterPath>

namespace veltrane {

namespace {

constexpr Seconds kGrowDuration = 0.42;
constexpr Seconds kShrinkDuration = 0.34;

} // namespace

VisualEffectView::VisualEffectView(Material material, BlendingMode blendingMode, MaterialState state,
    double cornerRadius, QWidget* parent, FrameTicker* ticker)
    : QWidget(parent)
    , m_style { material, state, cornerRadius }
    , m_blendingMode(blendingMode)
    , m_radius(ticker ? *ticker : sharedFrameTicker(), cornerRadius)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_radius.onFrame = [this] { QWidget::update(); };
    // The blur follows the corners once they have settled; mid-animation the difference is a
    // few pixels and not worth a property change per frame.
    m_radius.onFinished = [this](AnimationOutcome) { requestBlur(); };
}

void VisualEffectView::update(Material material, BlendingMode blendingMode, MaterialState state, double cornerRadius)
{
    m_style.material = material;
    m_style.state = state;
    m_blendingMode = blendingMode;
    const double current = m_radius.value();
    if (cornerRadius != m_radius.target()) {
        const Seconds duration = cornerRadius > current ? kGrowDuration : kShrinkDuration;
        m_radius.start(cornerRadius, Animation::easeOut(duration));
    }
    requestBlur();
    QWidget::update();
}

QRegion VisualEffectView::blurRegion() const
{
    if (m_blendingMode != BlendingMode::behindWindow || !isVisible())
        return {};
    const double ratio = devicePixelRatioF();
    const QRectF frame(QRectF(mapTo(window(), QPoint(0, 0)) * ratio, QSizeF(size()) * ratio));
    QPainterPath shape;
    const double radius = std::min(m_radius.value(), std::min(width(), height()) / 2.0) * ratio;
    shape.addRoundedRect(frame, radius, radius);
    return QRegion(shape.toFillPolygon().toPolygon());
}

void VisualEffectView::requestBlur()
{
    if (!window()->testAttribute(Qt::WA_WState_Created))
        return;
    X11BlurBehind::setRegion(window()->winId(), blurRegion());
}

void VisualEffectView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    requestBlur();
}

void VisualEffectView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    requestBlur();
}

void VisualEffectView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    requestBlur();
}

void VisualEffectView::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    requestBlur();
}

void VisualEffectView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VisualEffectPainter backdrop = m_style;
    backdrop.cornerRadius = m_radius.value();
    backdrop.paint(painter, rect(), palette());
}

} // namespace veltrane
