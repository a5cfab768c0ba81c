#include "Moorlet/WelcomeTour/WelcomeTourWindow.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/ForcedAppearance.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace moorlet {

WelcomeTourWindow::WelcomeTourWindow(FocusController& controller, QColor accent,
    std::function<void()> onFinish, std::function<void()> onTryDemo, ViewEnvironment environment,
    QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_controller(controller)
    , m_environment(environment.resolved())
    , m_reduceMotion(std::make_unique<ReduceMotion>(controller.settings(), m_environment.desktop))
{
    m_view = std::make_unique<WelcomeTourView>(*m_environment.ticker, *m_reduceMotion, accent,
        WelcomeTourView::Actions { std::move(onFinish), std::move(onTryDemo) });
    m_view->repaint = [this] { update(); };
    setWindowTitle(QStringLiteral("Welcome"));
    setFixedSize(static_cast<int>(WelcomeTourMetrics::width), static_cast<int>(WelcomeTourMetrics::height));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    followAppearance(*this, controller.settings(), m_environment.desktop, [this] {
        m_palette = ViewPalette::from(palette());
        update();
    });
}

WelcomeTourWindow::~WelcomeTourWindow() = default;

void WelcomeTourWindow::showFromStart()
{
    m_view->reset();
    m_pressed.reset();
    show();
    raise();
    activateWindow();
}

QImage WelcomeTourWindow::renderToImage()
{
    return grab().toImage();
}

void WelcomeTourWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_view->paint(painter, rect(), m_palette);
}

std::optional<WelcomeTourTarget> WelcomeTourWindow::targetAt(QPointF position) const
{
    return m_view->hitTest(size(), position);
}

void WelcomeTourWindow::mouseMoveEvent(QMouseEvent* event)
{
    const auto target = targetAt(event->position());
    m_view->setHovered(target);
    setCursor(target ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void WelcomeTourWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = targetAt(event->position());
}

void WelcomeTourWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A press counts where it began and ended on the same target, as with any button.
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (pressed && pressed == targetAt(event->position()))
        m_view->activate(*pressed);
}

void WelcomeTourWindow::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_view->setHovered(std::nullopt);
}

void WelcomeTourWindow::keyPressEvent(QKeyEvent* event)
{
    if (!m_view->pressKey(event->key()))
        QWidget::keyPressEvent(event);
}

void WelcomeTourWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_palette = ViewPalette::from(palette());
        update();
    }
}

} // namespace moorlet
