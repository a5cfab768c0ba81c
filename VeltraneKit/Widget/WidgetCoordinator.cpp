#include "VeltraneKit/Widget/WidgetCoordinator.h"

#include "VeltraneKit/Geometry/PanelMetrics.h"
#include "VeltraneKit/Geometry/PointText.h"
#include "VeltraneKit/Geometry/WidgetPlacement.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"
#include "VeltraneKit/Widget/QtScreenProvider.h"

namespace veltrane {

WidgetCoordinator::WidgetCoordinator(DockSide dockSide, UserDefaultsPtr defaults,
    std::string_view keyPrefix, RootProvider rootProvider, std::shared_ptr<ScreenProvider> screens,
    OneShotSchedulerPtr scheduler)
    : m_dockSide(dockSide)
    , m_rootProvider(std::move(rootProvider))
    , m_defaults(std::move(defaults))
    , m_originKey(std::string(keyPrefix) + "origin")
    , m_sideKey(std::string(keyPrefix) + "side")
    , m_screens(screens ? std::move(screens) : std::make_shared<QtScreenProvider>())
    , m_scheduler(scheduler ? std::move(scheduler) : std::make_shared<QtOneShotScheduler>())
{
    if (auto stored = m_defaults->string(m_sideKey)) {
        if (auto side = veltrane::dockSide(*stored))
            m_dockSide = *side;
    }
}

WidgetCoordinator::~WidgetCoordinator()
{
    // The pending shrink refers to this coordinator; the scheduler may outlive it.
    m_collapseTask.cancel();
}

PanelHostingView* WidgetCoordinator::hostingView() const
{
    return m_hostingView;
}

void WidgetCoordinator::setEdgeSnapEnabled(bool enabled)
{
    m_edgeSnapEnabled = enabled;
    if (m_panel)
        m_panel->setEdgeSnapEnabled(enabled);
}

void WidgetCoordinator::show()
{
    if (m_panel) {
        m_panel->orderFront();
        return;
    }

    m_collapsedSize = PanelMetrics::kCollapsedPanelSize;
    m_panel = std::make_unique<FloatingPanel>(Rect({}, m_collapsedSize), m_screens);

    auto* hosting = new PanelHostingView(m_rootProvider ? m_rootProvider(m_dockSide) : nullptr);
    hosting->setOpacity(m_opacity);
    m_panel->setContentView(hosting);
    m_hostingView = hosting;
    m_panel->setAppearance(m_appearance);

    m_panel->setEdgeSnapEnabled(m_edgeSnapEnabled);
    // The panel lives no longer than the coordinator, so the callbacks may hold it plainly.
    m_panel->onMoved = [this](Point origin, std::optional<DockSide> side) { handleDrop(origin, side); };
    m_panel->onClicked = [this] {
        if (onWidgetClicked)
            onWidgetClicked();
    };

    Point origin = initialOrigin(m_collapsedSize);
    m_panel->setFrame(Rect(origin, m_collapsedSize));
    m_collapsedOrigin = origin;
    m_panel->orderFront();
}

void WidgetCoordinator::hide()
{
    if (m_panel)
        m_panel->orderOut();
}

void WidgetCoordinator::refresh()
{
    if (m_hostingView && m_rootProvider)
        m_hostingView->setRootView(m_rootProvider(m_dockSide));
}

void WidgetCoordinator::applySurface(double opacity)
{
    m_opacity = opacity;
    if (m_hostingView)
        m_hostingView->setOpacity(opacity);
}

void WidgetCoordinator::applyAppearance(std::optional<PanelAppearance> appearance)
{
    m_appearance = appearance;
    if (m_panel)
        m_panel->setAppearance(appearance);
}

// Expanding from the collapsed state chooses the anchor the card grows from and shifts the panel
// so the tile stays exactly where it is on screen; the panel then grows away from the anchored
// edges and is clamped to the screen (allowing kEdgeOverhang), and the content is told how far it
// was pushed. A collapse returns the panel to where the collapsed panel belongs; animated, it
// waits kShrinkDelay first, so the content's collapse plays inside the expanded panel.
void WidgetCoordinator::setContentSize(Size size, Animation animation)
{
    if (!m_panel)
        return;
    m_lastRequestedSize = size;
    m_collapseTask.cancel();
    m_collapseTask = {};

    Rect frame = m_panel->frame();
    Rect visible = m_screens->visibleFrameForWindow(frame).value_or(Rect({}, size));
    bool isCollapse = size.isClose(m_collapsedSize);
    bool wasCollapsed = frame.size.isClose(m_collapsedSize);

    if (wasCollapsed && !isCollapse) {
        WidgetAnchor previous = m_currentAnchor;
        m_currentAnchor = WidgetPlacement::fittingAnchor(frame, size, visible);
        if (m_currentAnchor != previous) {
            frame.origin = frame.origin + WidgetPlacement::tileOffset(previous, m_collapsedSize)
                - WidgetPlacement::tileOffset(m_currentAnchor, m_collapsedSize);
        }
        if (onAnchorChanged)
            onAnchorChanged(m_currentAnchor);
    }

    Point desired = WidgetPlacement::desiredOrigin(frame, size, m_currentAnchor);
    Point clamped = WidgetPlacement::clampedOrigin(desired, size, visible);

    if (isCollapse) {
        if (animation == Animation::animated) {
            m_collapseTask = m_scheduler->schedule(PanelMetrics::kShrinkDelay, [this, clamped, size] {
                if (m_panel && m_lastRequestedSize.isClose(m_collapsedSize))
                    finishCollapse(clamped, size);
            });
            return;
        }
        finishCollapse(clamped, size);
        return;
    }

    if (wasCollapsed)
        m_collapsedOrigin = frame.origin;
    if (onClampingOffsetChanged)
        onClampingOffsetChanged({ desired.x - clamped.x, clamped.y - desired.y });
    m_panel->setFrame(Rect(clamped, size));
    persist(clamped);
}

void WidgetCoordinator::finishCollapse(Point fallbackTarget, Size size)
{
    // Where the collapsed panel belongs is read when the panel shrinks, not when the collapse was
    // asked for: a drag of the card in between has moved it.
    Point target = m_collapsedOrigin.value_or(fallbackTarget);
    if (onClampingOffsetChanged)
        onClampingOffsetChanged({});
    m_panel->setFrame(Rect(target, size));
    persist(target);
}

void WidgetCoordinator::handleDrop(Point origin, std::optional<DockSide> side)
{
    persist(origin);
    if (side) {
        m_dockSide = *side;
        m_defaults->setString(m_sideKey, std::string(rawValue(*side)));
        refresh();
    }

    Rect frame = m_panel->frame();
    if (frame.size.isClose(m_collapsedSize))
        m_collapsedOrigin = origin;
    else
        m_collapsedOrigin = WidgetPlacement::collapsedOrigin(frame, m_dockSide, m_collapsedSize);
}

void WidgetCoordinator::persist(Point origin)
{
    m_defaults->setString(m_originKey, PointText::format(origin));
}

std::optional<Point> WidgetCoordinator::savedOrigin() const
{
    auto text = m_defaults->string(m_originKey);
    if (!text)
        return std::nullopt;
    auto point = PointText::parse(*text);
    // The origin (0, 0) is what an unreadable text used to read as, so it means "none saved".
    if (!point || *point == Point {})
        return std::nullopt;
    return point;
}

Point WidgetCoordinator::initialOrigin(Size size) const
{
    return WidgetPlacement::initialOrigin(size, m_dockSide, savedOrigin(), m_screens->mainVisibleFrame());
}

} // namespace veltrane
