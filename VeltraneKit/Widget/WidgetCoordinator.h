#pragma once

#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/Rect.h"
#include "VeltraneKit/Geometry/ScreenProvider.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"
#include "VeltraneKit/Settings/UserDefaults.h"
#include "VeltraneKit/Time/OneShotScheduler.h"
#include "VeltraneKit/Widget/PanelAppearance.h"
#include "VeltraneKit/Widget/PanelHostingView.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

class FloatingPanel;

// Owns the floating panel that shows the widget and all of its geometry: where the collapsed
// tile first shows, remembering where the user left it and which edge it is docked to, how the
// panel grows when the tile expands into a card (away from the nearest screen edges, keeping the
// tile where it was), how it is kept on screen and how it shrinks back.
//
// The position is kept in the user defaults under keyPrefix + "origin" (the point text "{x, y}",
// PointText) and keyPrefix + "side" (a DockSide raw value), written on every move and resize.
// All geometry is y-up, in points.
//
// Main thread only. The panel is created by show() and lives as long as the coordinator.
class WidgetCoordinator {
public:
    // Builds the widget's root view for a dock side; the coordinator's hosting view takes
    // ownership of what it returns.
    using RootProvider = std::function<QWidget*(DockSide side)>;

    // The key prefix the application uses: the keys read "com.veltrane.widget.origin" and
    // "com.veltrane.widget.side".
    static constexpr std::string_view kApplicationKeyPrefix = "com.veltrane.widget.";

    enum class Animation {
        immediate,
        // A collapse waits kShrinkDelay before the panel shrinks, so the content can animate
        // inside the expanded panel; any later request cancels it.
        animated,
    };

    // A valid dock side stored under the side key overrides `dockSide`. `screens` and
    // `scheduler` default to the real ones (QtScreenProvider, QtOneShotScheduler).
    WidgetCoordinator(DockSide dockSide, UserDefaultsPtr defaults, std::string_view keyPrefix,
        RootProvider rootProvider, std::shared_ptr<ScreenProvider> screens = {},
        OneShotSchedulerPtr scheduler = {});
    ~WidgetCoordinator();
    WidgetCoordinator(const WidgetCoordinator&) = delete;
    WidgetCoordinator& operator=(const WidgetCoordinator&) = delete;

    // A click (not a drag) on the panel.
    std::function<void()> onWidgetClicked;
    // How far the panel had to be pushed to stay on screen (x: desired minus clamped; y: clamped
    // minus desired, because the content's coordinates grow downwards), for the content to
    // compensate. (0, 0) on every collapse.
    std::function<void(Size offset)> onClampingOffsetChanged;
    // The anchor chosen for an expansion from the collapsed state (changed or not).
    std::function<void(WidgetAnchor anchor)> onAnchorChanged;

    // The edge the tile is docked to.
    DockSide dockSide() const { return m_dockSide; }
    bool edgeSnapEnabled() const { return m_edgeSnapEnabled; }
    // Copied to the panel.
    void setEdgeSnapEnabled(bool enabled);
    WidgetAnchor currentAnchor() const { return m_currentAnchor; }

    const std::string& originKey() const { return m_originKey; }
    const std::string& sideKey() const { return m_sideKey; }

    // Null until show().
    FloatingPanel* panel() const { return m_panel.get(); }
    PanelHostingView* hostingView() const;

    // Zero until shown, then the collapsed panel size (168 × 168).
    Size collapsedSize() const { return m_collapsedSize; }
    // Where the collapsed panel belongs.
    std::optional<Point> collapsedOrigin() const { return m_collapsedOrigin; }
    Size lastRequestedSize() const { return m_lastRequestedSize; }
    // A delayed shrink is waiting.
    bool hasPendingCollapse() const { return m_collapseTask.isPending(); }

    // Creates the collapsed panel at its initial origin and shows it above other windows without
    // activating it; brings an existing panel to the front.
    void show();
    // Hides the panel; it stays alive.
    void hide();
    // Rebuilds the root view from the provider (the view is built with the dock side).
    void refresh();
    // The widget's opacity, applied by the hosting view. Kept for a panel that does not exist yet.
    void applySurface(double opacity);
    // A forced light or dark appearance, or nothing to follow the desktop. Kept for a panel that
    // does not exist yet.
    void applyAppearance(std::optional<PanelAppearance> appearance);
    // Resizes the panel for a collapse (a size within 1 point of the collapsed size) or an
    // expansion; see the implementation for the geometry.
    void setContentSize(Size size, Animation animation);

private:
    void handleDrop(Point origin, std::optional<DockSide> side);
    void persist(Point origin);
    std::optional<Point> savedOrigin() const;
    Point initialOrigin(Size size) const;
    void finishCollapse(Point fallbackTarget, Size size);

    DockSide m_dockSide;
    bool m_edgeSnapEnabled = true;
    WidgetAnchor m_currentAnchor;
    RootProvider m_rootProvider;
    UserDefaultsPtr m_defaults;
    std::string m_originKey;
    std::string m_sideKey;
    std::shared_ptr<ScreenProvider> m_screens;
    OneShotSchedulerPtr m_scheduler;
    std::unique_ptr<FloatingPanel> m_panel;
    QPointer<PanelHostingView> m_hostingView;
    Size m_collapsedSize;
    std::optional<Point> m_collapsedOrigin;
    Size m_lastRequestedSize;
    ScheduledTask m_collapseTask;
    std::optional<PanelAppearance> m_appearance;
    double m_opacity = 1;
};

} // namespace veltrane
