#pragma once

#include "Moorlet/Views/AnimatedColor.h"
#include "Moorlet/Views/CardTarget.h"
#include "Moorlet/Views/CelebrationToast.h"
#include "Moorlet/Views/ConfettiBurst.h"
#include "Moorlet/Views/LayerCache.h"
#include "Moorlet/Views/ViewContext.h"
#include "Moorlet/Views/ViewEnvironment.h"
#include "Moorlet/Views/Wiggle.h"
#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QTransform>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <random>

namespace moorlet {

class AmbientController;
class CollapsedTileView;
class ExpandedCardView;
class FocusController;
class LocalDataStore;
class MediaController;
class ReduceMotion;
class ThemeProvider;

// The widget inside the floating panel. It fills the panel and morphs between the collapsed
// tile (104 × 104) and the expanded card (272 × expandedHeight()), both aligned to the edges the
// widget grows from (the controller's widget anchor) with WidgetMetrics::panelMargin of padding
// on those edges. It celebrates a finished focus block and the daily goal with a toast, a burst
// of confetti and a little swell, wiggles on every phase change, collapses the card 0.4 s after
// the pointer leaves (unless a view asked the controller to keep it open), and draws at the
// widget opacity and in the appearance the settings ask for.
//
// It keeps no business state: what it shows comes from the controllers and stores, and every
// action is a call on them. Presses it does not use (on the tile, on the card's background) are
// left to the panel, which turns them into clicks and drags; expanding is the panel's click.
//
// Main thread only. Everything handed in must outlive the view.
class WidgetRootView : public QWidget {
    Q_OBJECT

public:
    struct Inputs {
        Inputs(FocusController& controller, LocalDataStore& store)
            : controller(controller)
            , store(store)
        {
        }

        FocusController& controller;
        LocalDataStore& store;
        // May be null: no ambient row and no scene tint.
        AmbientController* ambient = nullptr;
        // May be null: no now-playing row.
        MediaController* media = nullptr;
        // May be null: no background wash.
        ThemeProvider* theme = nullptr;
        // The edge the widget is docked to.
        veltrane::DockSide dockSide = veltrane::DockSide::right;
        std::function<void()> openSettings;
        std::function<void()> openInsights;
        std::function<void()> openShare;
    };

    // How long the pointer may be away before the card collapses.
    static constexpr veltrane::Seconds kCollapseDelay = 0.4;
    static constexpr int kConfettiPieces = 28;
    static constexpr double kCelebrationScale = 1.035;
    // The toast's top edge lies this far below the widget's top.
    static constexpr double kToastTop = 52;

    explicit WidgetRootView(Inputs inputs, ViewEnvironment environment = {}, QWidget* parent = nullptr);
    ~WidgetRootView() override;

    veltrane::DockSide dockSide() const { return m_dockSide; }
    // The card's height for what it shows now (WidgetMetrics::expandedHeight).
    double expandedHeight() const;

    // The parts, for the shell's tests and the screenshot tool.
    CollapsedTileView& tile() { return *m_tile; }
    ExpandedCardView& card() { return *m_card; }
    const ReduceMotion& reduceMotion() const { return *m_reduceMotion; }

    // View state.
    bool isHovering() const { return m_hovering; }
    bool hasPendingCollapse() const { return m_collapseWork.isPending(); }
    bool confettiShown() const { return m_confettiShown; }
    const std::optional<QString>& celebration() const { return m_celebration; }
    bool celebrateScale() const { return m_celebrateScale; }
    int wiggleTrigger() const { return m_wiggleTrigger; }
    const CelebrationToast& toast() const { return m_toast; }
    const ConfettiBurst* confetti() const { return m_confetti.get(); }
    WiggleValues wiggle() const { return m_wiggle.value(); }
    // The swell of a celebration at this moment (1 at rest).
    double scale() const { return m_scale.value(); }
    // 0 collapsed, 1 expanded; a spring may carry it a little past either end.
    double expansion() const { return m_expansion.value(); }

    // Geometry in the widget's coordinates, before the celebration's swell and the wiggle.
    QRectF tileRect() const;
    QRectF cardRect() const;
    // The backdrop's rectangle at this moment of the morph.
    QRectF backgroundRect() const;
    // Where the celebration's toast stands at rest: below the card's top edge, or on the tile
    // over its time, clear of the phase word.
    QRectF toastRect() const;
    // The transform of everything drawn (swell and wiggle about the centre).
    QTransform contentTransform() const;
    // Where a target of the card lies in the widget's coordinates (transform included).
    QRectF cardTargetRect(const CardTarget& target) const;
    // Paints the whole widget into an image of its size (for tests and screenshots).
    QImage renderToImage(double devicePixelRatio = 1.0);

    // Announces a celebration (what a finished focus block and the daily goal do).
    void celebrate(const QString& text);

signals:
    // The card's height changed (a phase change, or a row that came or went).
    void expandedHeightChanged(double height);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void connectSources();
    void refresh();
    void setHovering(bool hovering);
    // Only the tile or card takes the pointer; clicks on the transparent margin around it go to
    // the window below, and the pointer enters and leaves the widget where the backdrop is painted.
    // Worked out at every paint, the region follows every frame of the morph, the swell and the
    // wiggle; reported as soon as the view is shown or resized too, so that the panel never takes
    // the pointer on the whole of a window not painted yet.
    void reportInteractiveRegion();
    void expandedChanged();
    void watchCelebrations();
    void runCelebrations();
    void applyReduceMotion();
    // Runs `work` after `delay` unless the view is gone by then.
    veltrane::ScheduledTask later(veltrane::Seconds delay, std::function<void()> work);

    QRectF alignedRect(QSizeF size) const;
    double toastMaxWidth() const;
    QPointF anchorUnitPoint() const;
    std::optional<CardTarget> cardTargetAt(QPointF position) const;
    QPointF toCard(QPointF position) const;
    // Paints an area (in the widget's coordinates before the transform) again.
    void repaintArea(const QRectF& area);
    void paintContent(QPainter& painter);
    void paintLayer(QPainter& painter);

    FocusController& m_controller;
    LocalDataStore& m_store;
    AmbientController* m_ambient;
    MediaController* m_media;
    ThemeProvider* m_theme;
    veltrane::DockSide m_dockSide;
    ViewEnvironment m_environment;
    std::unique_ptr<ReduceMotion> m_reduceMotion;
    std::unique_ptr<ViewContext> m_context;
    std::unique_ptr<CollapsedTileView> m_tile;
    std::unique_ptr<ExpandedCardView> m_card;

    // The morph, the card's height and the backdrop's scene tint.
    veltrane::AnimatedValue<double> m_expansion;
    veltrane::AnimatedValue<double> m_cardHeight;
    veltrane::AnimatedValue<double> m_sceneTintPresence;
    AnimatedColor m_sceneTint;
    double m_lastExpandedHeight = 0;

    // Hover and the delayed collapse.
    bool m_hovering = false;
    veltrane::ScheduledTask m_collapseWork;
    std::optional<CardTarget> m_pressed;
    // Where the pointer was last seen during a press (card coordinates), and whether the press
    // has turned into a drag of the ambient chips.
    double m_pressX = 0;
    bool m_draggingChips = false;

    // Celebrations.
    std::optional<SessionPhase> m_lastPhase;
    double m_lastGoalProgress = 0;
    bool m_pendingSessionComplete = false;
    bool m_pendingGoalReached = false;
    veltrane::ScheduledTask m_celebrationCheck;
    bool m_confettiShown = false;
    std::unique_ptr<ConfettiBurst> m_confetti;
    std::optional<QString> m_celebration;
    bool m_celebrateScale = false;
    int m_wiggleTrigger = 0;
    veltrane::AnimatedValue<double> m_scale;
    Wiggle m_wiggle;
    CelebrationToast m_toast;
    std::mt19937_64 m_random;

    // Pictures kept between frames: the backdrop with its shadows, and the whole widget while it
    // is drawn translucent.
    LayerCache m_backdropLayer;
    QImage m_fadeBuffer;

    // Shared with delayed work so that it does nothing once the view is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace moorlet
