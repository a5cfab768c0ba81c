#include "VeltraneKit/Widget/FloatingPanel.h"

#include "VeltraneKit/Geometry/EdgeSnap.h"
#include "VeltraneKit/Widget/FillingChild.h"
#include "VeltraneKit/Widget/QtScreenProvider.h"
#include "VeltraneKit/Widget/ScreenCoordinates.h"
#include "VeltraneKit/Widget/X11PanelHints.h"

#include <QMouseEvent>
#include <QTransform>

#include <cmath>

namespace veltrane {

FloatingPanel::FloatingPanel(const Rect& contentRect, std::shared_ptr<ScreenProvider> screens)
    : QWidget(nullptr,
          Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint
              // The panel must never take the keyboard from the application the user is in:
              // without this, Qt activates a window on every click.
              | Qt::WindowDoesNotAcceptFocus)
    , m_screens(screens ? std::move(screens) : std::make_shared<QtScreenProvider>())
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setFrame(contentRect);
}

FloatingPanel::~FloatingPanel() = default;

Rect FloatingPanel::frame() const
{
    ScreenCoordinates coordinates(m_screens->yFlipLine());
    QRect current = geometry();
    if (current == coordinates.toQt(m_frame))
        return m_frame;
    // Someone else (the window manager, a screen change) moved the window.
    return coordinates.fromQt(current);
}

void FloatingPanel::setFrame(const Rect& frame)
{
    m_frame = frame;
    const QRect geometry = ScreenCoordinates(m_screens->yFlipLine()).toQt(frame);
    // The input shape is relative to the window's corner: resized, the window would keep its old
    // shape for a moment, where nothing may be painted any more, and the X server would have a
    // pointer resting there enter and leave the panel. With no shape in between (the content
    // reports its new one while it is resized), the pointer crosses only what the content shows.
    const bool reshape = m_interactiveRegion && testAttribute(Qt::WA_WState_Created) && geometry.size() != size();
    if (reshape)
        X11PanelHints::setInputRegion(winId(), QRegion());
    setGeometry(geometry);
    if (reshape)
        applyInteractiveRegion();
}

void FloatingPanel::setFrameOrigin(Point origin)
{
    setFrame(Rect(origin, frame().size));
}

void FloatingPanel::orderFront()
{
    if (!isVisible())
        show();
    raise();
}

void FloatingPanel::orderOut()
{
    clearDragState();
    hide();
}

void FloatingPanel::setContentView(QWidget* view)
{
    replaceFillingChild(*this, m_contentView, view);
}

void FloatingPanel::setAppearance(std::optional<PanelAppearance> appearance)
{
    m_appearance = appearance;
    // A palette with nothing set (QPalette()) makes the panel follow the application's again.
    setPalette(appearance ? panelPalette(*appearance) : QPalette());
}

void FloatingPanel::setInteractiveRegion(std::optional<QRegion> region)
{
    if (region == m_interactiveRegion)
        return;
    m_interactiveRegion = std::move(region);
    // A window not made yet gets the region when it is shown.
    if (testAttribute(Qt::WA_WState_Created))
        applyInteractiveRegion();
}

void FloatingPanel::reportInteractiveRegion(const QWidget& content, const QRegion& region)
{
    if (auto* panel = qobject_cast<FloatingPanel*>(content.window()))
        panel->setInteractiveRegion(region.translated(content.mapTo(panel, QPoint())));
}

void FloatingPanel::applyInteractiveRegion()
{
    std::optional<QRegion> pixels = m_interactiveRegion;
    if (pixels && devicePixelRatioF() != 1)
        pixels = QTransform::fromScale(devicePixelRatioF(), devicePixelRatioF()).map(*pixels);
    X11PanelHints::setInputRegion(winId(), pixels);
}

void FloatingPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The pointer is read from the screen, not from the event: the event's position is relative
    // to a window that moves during the drag.
    m_dragStartWindowOrigin = frame().origin;
    m_dragStartMouseLocation = m_screens->mouseLocation();
    m_isDragging = false;
    event->accept();
}

void FloatingPanel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_dragStartWindowOrigin || !m_dragStartMouseLocation)
        return;
    Point delta = m_screens->mouseLocation() - *m_dragStartMouseLocation;
    if (!m_isDragging) {
        if (std::hypot(delta.x, delta.y) <= PanelMetrics::kDragThreshold)
            return;
        m_isDragging = true;
    }
    setFrameOrigin(*m_dragStartWindowOrigin + delta);
}

void FloatingPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    bool wasPressed = m_dragStartMouseLocation.has_value();
    bool wasDrag = m_isDragging;
    clearDragState();
    if (wasDrag)
        snapToEdgeIfNeeded();
    else if (wasPressed && onClicked)
        onClicked();
}

void FloatingPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_contentView)
        m_contentView->setGeometry(rect());
}

void FloatingPanel::showEvent(QShowEvent* event)
{
    // Qt sends the show event before it maps the window, which is when window managers read
    // these hints.
    X11PanelHints::applyBeforeMap(winId());
    // The window may have been made again since the region was last set.
    applyInteractiveRegion();
    QWidget::showEvent(event);
}

void FloatingPanel::snapToEdgeIfNeeded()
{
    Rect current = frame();
    std::optional<Rect> visible = m_screens->visibleFrameForWindow(current);
    if (!visible)
        return;
    EdgeSnap snap = EdgeSnap::forDrop(current, *visible, m_snapThreshold, m_edgeSnapEnabled);
    setFrameOrigin(snap.origin);
    if (onMoved)
        onMoved(snap.origin, snap.side);
}

void FloatingPanel::clearDragState()
{
    m_dragStartWindowOrigin.reset();
    m_dragStartMouseLocation.reset();
    m_isDragging = false;
}

} // namespace veltrane
