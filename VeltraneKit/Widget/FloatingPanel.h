#pragma once

#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/PanelMetrics.h"
#include "VeltraneKit/Geometry/Rect.h"
#include "VeltraneKit/Geometry/ScreenProvider.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace veltrane {

// The borderless window the widget lives in: a frameless, translucent, always-on-top tool
// window, shown on every workspace and skipped by taskbars and pagers, that never takes the
// keyboard focus (clicking it leaves the active window of every other application active, and
// the first click on it already acts on its content).
//
// A press that moves the pointer by more than kDragThreshold points becomes a drag: the panel
// follows the pointer, and when it is released snaps to a screen edge it ends close to and is
// kept on screen (EdgeSnap), then reports onMoved. A press released sooner is a click and reports
// onClicked. Presses that the content accepts (a button) belong to the content; the rest move the
// panel, so content views leave the presses they do not use unaccepted (QWidget's default).
//
// Geometry is y-up (ScreenProvider's coordinates). The panel keeps the exact frame it was last
// given and reports it as long as the window system still holds it (rounded to whole pixels), so
// placement arithmetic never drifts by rounding.
//
// Main thread only.
class FloatingPanel : public QWidget {
    Q_OBJECT

public:
    // `screens` gives the screens and the pointer; by default, the real ones (QtScreenProvider).
    explicit FloatingPanel(const Rect& contentRect, std::shared_ptr<ScreenProvider> screens = {});
    ~FloatingPanel() override;

    // After a drag ends: the final origin and the side snapped to (nothing when not snapped).
    std::function<void(Point origin, std::optional<DockSide> side)> onMoved;
    // On a press released without becoming a drag.
    std::function<void()> onClicked;

    // The largest distance of the tile from an edge that still snaps.
    double snapThreshold() const { return m_snapThreshold; }
    void setSnapThreshold(double points) { m_snapThreshold = points; }
    // When false a drop never snaps; it is still kept on screen.
    bool edgeSnapEnabled() const { return m_edgeSnapEnabled; }
    void setEdgeSnapEnabled(bool enabled) { m_edgeSnapEnabled = enabled; }
    // Whether a press is in progress (from press to release).
    bool isPressed() const { return m_dragStartMouseLocation.has_value(); }
    // Whether the current press has become a drag.
    bool isDragging() const { return m_isDragging; }

    // The panel's frame in y-up screen coordinates.
    Rect frame() const;
    void setFrame(const Rect& frame);
    void setFrameOrigin(Point origin);

    // Shows the panel above other windows without activating it; raises it when already shown.
    void orderFront();
    // Hides the panel; it stays alive and keeps its frame.
    void orderOut();

    // The view that fills the panel (the panel takes ownership; a previous one is deleted).
    void setContentView(QWidget* view);
    QWidget* contentView() const { return m_contentView; }

    // Where the panel takes the pointer, in its own coordinates; presses elsewhere (the
    // transparent margin around what the content paints) go to the window below. Nothing, the
    // default, means the whole panel. A content that sets it should set it again when resized:
    // setFrame applies the region once the new size is in place.
    void setInteractiveRegion(std::optional<QRegion> region);
    const std::optional<QRegion>& interactiveRegion() const { return m_interactiveRegion; }
    // For a view inside a panel: sets the panel's interactive region to `region`, given in the
    // view's coordinates. Does nothing for a view that is not in a panel.
    static void reportInteractiveRegion(const QWidget& content, const QRegion& region);

    // A forced light or dark palette for the content, or nothing to follow the desktop.
    void setAppearance(std::optional<PanelAppearance> appearance);
    std::optional<PanelAppearance> appearance() const { return m_appearance; }

    const std::shared_ptr<ScreenProvider>& screenProvider() const { return m_screens; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void snapToEdgeIfNeeded();
    void clearDragState();
    void applyInteractiveRegion();

    std::shared_ptr<ScreenProvider> m_screens;
    Rect m_frame;
    double m_snapThreshold = PanelMetrics::kSnapThreshold;
    bool m_edgeSnapEnabled = true;
    // Set from press to release only.
    std::optional<Point> m_dragStartWindowOrigin;
    std::optional<Point> m_dragStartMouseLocation;
    bool m_isDragging = false;
    QPointer<QWidget> m_contentView;
    std::optional<PanelAppearance> m_appearance;
    std::optional<QRegion> m_interactiveRegion;
};

} // namespace veltrane
