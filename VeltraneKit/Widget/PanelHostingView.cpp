#include "VeltraneKit/Widget/PanelHostingView.h"

#include "VeltraneKit/Widget/FillingChild.h"

#include <QGraphicsOpacityEffect>

#include <algorithm>
#include <cmath>

namespace veltrane {

PanelHostingView::PanelHostingView(QWidget* rootView, QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setRootView(rootView);
}

PanelHostingView::~PanelHostingView() = default;

void PanelHostingView::setRootView(QWidget* rootView)
{
    replaceFillingChild(*this, m_rootView, rootView);
}

void PanelHostingView::setOpacity(double opacity)
{
    double clamped = std::isnan(opacity) ? 1.0 : std::clamp(opacity, 0.0, 1.0);
    if (clamped == m_opacity)
        return;
    m_opacity = clamped;
    if (clamped >= 1) {
        // A graphics effect renders everything below it through an offscreen pixmap; at full
        // opacity there is nothing to gain from that.
        setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(this);
        setGraphicsEffect(effect);
    }
    effect->setOpacity(clamped);
}

void PanelHostingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_rootView)
        m_rootView->setGeometry(rect());
}

} // namespace veltrane
