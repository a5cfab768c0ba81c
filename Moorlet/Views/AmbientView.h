#pragma once

#include "Moorlet/Views/CardTarget.h"
#include "Moorlet/Views/LayerCache.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QHash>
#include <QPointF>
#include <QRectF>

#include <functional>
#include <optional>

class QPainter;

namespace moorlet {

struct ViewContext;

// The card's ambient mini-player: a row of capsule chips, one per sound (its symbol and name,
// filled with a shade of its tint that stands out on the card while it plays), ending in a "MP3"
// chip that imports the user's own files. When the chips do not fit, the row fades out at the
// edges it continues beyond, where an arrow button pages it; it also follows a drag and the
// wheel. Under it the master level: a speaker symbol and a slim slider that follows the pointer
// while dragged. Tapping a chip switches its sound; an imported sound's chip also offers to
// remove it (the host opens that menu).
class AmbientView {
public:
    static constexpr double kChipHeight = 24;
    static constexpr double kChipSpacing = 6;
    static constexpr double kLevelGap = 6;
    static constexpr double kLevelHeight = 14;
    // How far in from an edge the chips fade out where the row goes on beyond it.
    static constexpr double kFadeWidth = 40;

    enum class Direction { back, forward };

    explicit AmbientView(ViewContext& context);

    // `card` is the whole card, for the colour behind the chips.
    void paint(QPainter& painter, const QRectF& row, const QRectF& card) const;
    std::optional<CardTarget> hitTest(const QRectF& row, QPointF point) const;
    // A tap on a chip or an arrow.
    void activate(const QRectF& row, const CardTarget& target);
    // Sets the master level from the pointer's x while it presses or drags the slider.
    void dragVolume(const QRectF& row, double x);
    // Scrolls the chips by a wheel step; returns whether the row could move.
    bool scroll(const QRectF& row, double delta);
    // Moves the chips with the pointer, `dx` points (a drag to the left shows what lies right).
    bool drag(const QRectF& row, double dx);
    double scrollOffset() const { return m_scroll.value(); }
    // Whether chips lie beyond the row's edge in that direction (the edge fades, its arrow shows).
    bool canScroll(const QRectF& row, Direction direction) const;
    QRectF arrowRect(const QRectF& row, Direction direction) const;
    // Called on every step of the chips' movement, to paint the row again.
    void setOnScroll(std::function<void()> onScroll) { m_scroll.onFrame = std::move(onScroll); }

    // The chip of sound `index` (index == the number of sounds: the import chip), as laid out
    // now, scrolling included; the band of the chips.
    QRectF chipRect(const QRectF& row, int index) const;
    QRectF chipsArea(const QRectF& row) const;
    QRectF sliderRect(const QRectF& row) const;
    // The imported sound behind a chip, if it is one: its id and name.
    std::optional<std::pair<std::string, QString>> userSound(int index) const;
    // The level shown, in [0, 1].
    double level() const;

private:
    double chipWidth(int index) const;
    double contentWidth() const;
    int chipCount() const;
    double scrollLimit(const QRectF& row) const;
    bool scrollTo(const QRectF& row, double offset, bool animated);
    void paintChips(QPainter& painter, const QRectF& row, const QRectF& card) const;
    void paintArrow(QPainter& painter, const QRectF& row, Direction direction) const;

    ViewContext& m_context;
    veltrane::AnimatedValue<double> m_scroll;
    // The chips with their faded edges, drawn again only when what they show changes.
    mutable LayerCache m_chipsLayer;
    // Names measured so far: every chip's place depends on the widths of those before it, and
    // the row is painted again with the ring's glow many times a second.
    mutable QHash<QString, double> m_nameWidths;
};

} // namespace moorlet
