#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QColor;
class QPainter;

namespace moorlet {

// A line of text whose changes roll in: the new text slides in from one side as the old one
// slides out the other, both fading. For numbers (Style::digits) only the characters that changed
// move, as a counter's wheels do; a change of length rolls the whole line.
class RollingText {
public:
    enum class Style {
        digits,
        wholeText,
    };
    // Where the new text comes from.
    enum class Entry {
        fromAbove, // counting down: the new digits drop in from above
        fromBelow, // counting up, or a new phrase rising into place
    };

    // How numbers roll: a spring at half the display's rate. The time rolls every second, a few
    // points in a fifth of a second, and looks the same at half the paints.
    static const veltrane::Animation& digitRoll();

    RollingText(veltrane::FrameTicker& ticker, Style style, Entry entry);

    // Shows `text`, rolling it in with the animation, or at once when none is given.
    void setText(const QString& text, const std::optional<veltrane::Animation>& animation);
    const QString& text() const { return m_text; }
    // The text that is rolling out, while a change is under way.
    std::optional<QString> outgoingText() const;
    bool isRolling() const { return m_progress.animating(); }
    void setOnFrame(std::function<void()> onFrame) { m_progress.onFrame = std::move(onFrame); }
    // Rolls of a line set in `font` end once what is left of their travel no longer shows,
    // rather than painting the spring's last invisible fractions of a point.
    void settleFor(const QFont& font);

    // Draws the line in `box`, vertically centred and aligned horizontally as asked, scaled down
    // to fit the box's width but never below `minimumScale`; what still does not fit is elided.
    void paint(QPainter& painter, const QRectF& box, const QFont& font, const QColor& color,
        Qt::Alignment alignment, double minimumScale = 1.0) const;

    // Everything paint() may touch for a line laid out in `box`, rolling lines included: what to
    // paint again for a frame of the roll.
    static QRectF paintArea(const QRectF& box, const QFont& font);

    // The scale at which `text` fits `width` (1 when it fits as it is), never below `minimumScale`.
    static double fittingScale(const QString& text, const QFont& font, double width, double minimumScale);

private:
    // The left end of the baseline of `text` laid out in `box`.
    static QPointF lineOrigin(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment alignment,
        double scale);
    void paintLine(QPainter& painter, const QRectF& box, const QFont& font, const QString& text, double scale,
        Qt::Alignment alignment, double offsetY) const;

    // The scale of the last line measured: the same text in the same box is not measured again
    // on every frame.
    struct Fit {
        QString text;
        QFont font;
        double width = 0;
        double minimumScale = 0;
        double scale = 1;
    };
    double cachedFittingScale(const QString& text, const QFont& font, double width, double minimumScale) const;

    Style m_style;
    Entry m_entry;
    QString m_text;
    QString m_previous;
    veltrane::AnimatedValue<double> m_progress;
    mutable std::array<Fit, 2> m_fits;
    mutable std::size_t m_nextFit = 0;
};

} // namespace moorlet
