#pragma once

#include "Moorlet/WelcomeTour/WelcomeTourTarget.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace moorlet {

// The tour's fixed measures, in points.
namespace WelcomeTourMetrics {
    // The window's size: room for the longest page (the one with the numbered points).
    inline constexpr double width = 460;
    inline constexpr double height = 520;
    inline constexpr double heroHeight = 210;
    inline constexpr double contentPadding = 22;
    inline constexpr double controlsPadding = 24;
    inline constexpr double buttonHeight = 32;
    inline constexpr double nextWidth = 90;
    inline constexpr double tryDemoWidth = 160;
    // Skip and Back are plain text with this much room either side.
    inline constexpr double textButtonPadding = 12;
    inline constexpr double dotHeight = 6;
    inline constexpr double dotWidth = 6;
    inline constexpr double currentDotWidth = 18;
    inline constexpr double dotSpacing = 6;
} // namespace WelcomeTourMetrics

// Where everything of the tour lies in a view of the given size, top to bottom: the hero, the
// content (title, paragraph, points) inside its padding, and the controls row inside its own:
// the left button (Skip on the first page, Back on the others), the page dots in the middle and
// the right button (Next, or on the last page "Try a 25-second focus"). Pure geometry: the
// left button's text width is measured by the caller.
class WelcomeTourLayout {
public:
    WelcomeTourLayout(QSizeF size, int stepCount, int step, double leftTextWidth);

    QRectF hero() const { return m_hero; }
    // Inside the content's padding.
    QRectF content() const { return m_content; }
    // Inside the controls' padding.
    QRectF controls() const { return m_controls; }
    QRectF leftButton() const { return m_leftButton; }
    QRectF rightButton() const { return m_rightButton; }
    WelcomeTourTarget leftTarget() const { return m_leftTarget; }
    WelcomeTourTarget rightTarget() const { return m_rightTarget; }
    // The dots at rest for the current page.
    const std::vector<QRectF>& dots() const { return m_dots; }
    // A row of dots of the given widths, centred in the controls row (for dots on the move).
    std::vector<QRectF> dots(const std::vector<double>& widths) const;

    std::optional<WelcomeTourTarget> hitTest(QPointF point) const;

private:
    QRectF m_hero;
    QRectF m_content;
    QRectF m_controls;
    QRectF m_leftButton;
    QRectF m_rightButton;
    WelcomeTourTarget m_leftTarget;
    WelcomeTourTarget m_rightTarget;
    std::vector<QRectF> m_dots;
};

} // namespace moorlet
