#pragma once

#include "Moorlet/Views/ViewPalette.h"
#include "Moorlet/WelcomeTour/WelcomeTourLayout.h"
#include "Moorlet/WelcomeTour/WelcomeTourStep.h"
#include "Moorlet/WelcomeTour/WelcomeTourTarget.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QColor>
#include <QRectF>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace moorlet {

class ReduceMotion;

// The welcome tour's five pages: a hero that crossfades to the new page's colour and symbol, the
// page's title, paragraph and numbered points sliding in on a spring, and the controls row (Skip
// or Back, the page dots, Next or "Try a 25-second focus"). It paints into a rectangle and answers
// which target lies under a point; the page shown is its only state. Leaving the tour and the
// demo are its host's business, reached through the actions.
//
// Main thread only. The ticker and the reduce-motion flag must outlive the view.
class WelcomeTourView {
public:
    struct Actions {
        // Skip (and Escape): the user is done with the tour.
        std::function<void()> finish;
        // "Try a 25-second focus".
        std::function<void()> tryDemo;
    };

    WelcomeTourView(veltrane::FrameTicker& ticker, const ReduceMotion& reduceMotion, QColor accent,
        Actions actions);
    ~WelcomeTourView();
    WelcomeTourView(const WelcomeTourView&) = delete;
    WelcomeTourView& operator=(const WelcomeTourView&) = delete;

    static const std::vector<WelcomeTourStep>& steps() { return WelcomeTourStep::all(); }
    int step() const { return m_step; }
    // Moves to a page, animated (or crossfaded under reduce motion).
    void goTo(int step);
    // Back to the first page at once, with nothing moving: how the tour starts every time.
    void reset();

    QColor accent() const { return m_accent; }
    void setAccent(const QColor& accent);

    WelcomeTourLayout layout(QSizeF size) const;
    void paint(QPainter& painter, const QRectF& bounds, const ViewPalette& palette) const;
    // The lowest edge the page's title, paragraph and points reach in `content` (the layout's
    // content rectangle): what must stay inside it.
    double contentBottom(int step, const QRectF& content) const;
    // The width a button's text needs, for checking that it fits.
    static double buttonTextWidth(WelcomeTourTarget::Kind kind);

    std::optional<WelcomeTourTarget> hitTest(QSizeF size, QPointF point) const;
    void setHovered(const std::optional<WelcomeTourTarget>& target);
    void activate(const WelcomeTourTarget& target);
    // Left and Right page back and on, Enter presses the right-hand button, Escape leaves the
    // tour. Returns whether the key meant anything here.
    bool pressKey(int key);

    // Asked to paint again whenever something moved; set by the host.
    std::function<void()> repaint;

    // Whether a page change is still playing out.
    bool isAnimating() const;

private:
    struct ContentBlocks {
        QRectF title;
        QRectF body;
        std::vector<QRectF> numbers;
        std::vector<QRectF> points;
    };
    ContentBlocks contentBlocks(int step, const QRectF& content) const;
    void paintHero(QPainter& painter, const QRectF& rect, int step) const;
    void paintContent(QPainter& painter, const QRectF& rect, int step, const ViewPalette& palette) const;
    void paintControls(QPainter& painter, const WelcomeTourLayout& layout, const ViewPalette& palette) const;
    std::vector<double> dotWidths() const;

    veltrane::FrameTicker& m_ticker;
    const ReduceMotion& m_reduceMotion;
    QColor m_accent;
    Actions m_actions;
    int m_step = 0;
    int m_previousStep = 0;
    // +1 when moving on, -1 when going back: the side the new content comes from.
    double m_direction = 1;
    // How far the content slides in from (0 under reduce motion).
    double m_slide = 0;
    veltrane::AnimatedValue<double> m_heroFade;
    veltrane::AnimatedValue<double> m_contentIn;
    std::vector<std::unique_ptr<veltrane::AnimatedValue<double>>> m_dotWidths;
    std::optional<WelcomeTourTarget> m_hovered;
};

} // namespace moorlet
