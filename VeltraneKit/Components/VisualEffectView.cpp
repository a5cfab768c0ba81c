#include "VeltraneKit/Components/VisualEffectView.h"

#include "VeltraneKit/Components/SharedFrameTicker.h"

#include <QPainter>

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
    QWidget::update();
}

void VisualEffectView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VisualEffectPainter backdrop = m_style;
    backdrop.cornerRadius = m_radius.value();
    backdrop.paint(painter, rect());
}

} // namespace veltrane
