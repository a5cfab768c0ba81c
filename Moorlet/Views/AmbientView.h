#pragma once

#include "Moorlet/Views/CardTarget.h"

#include <QHash>
#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;

namespace moorlet {

struct ViewContext;

// The card's ambient mini-player: a row of capsule chips, one per sound (its symbol and name,
// tinted while it plays), ending in a "MP3" chip that imports the user's own files; the row
// scrolls sideways when the chips do not fit. Under it the master level: a speaker symbol and a
// slim slider that follows the pointer while dragged. Tapping a chip switches its sound; an
// imported sound's chip also offers to remove it (the host opens that menu).
class AmbientView {
public:
    static constexpr double kChipHeight = 24;
    static constexpr double kChipSpacing = 6;
    static constexpr double kLevelGap = 6;
    static constexpr double kLevelHeight = 14;

    explicit AmbientView(ViewContext& context);

    void paint(QPainter& painter, const QRectF& row) const;
    std::optional<CardTarget> hitTest(const QRectF& row, QPointF point) const;
    // A tap on a chip.
    void activate(const CardTarget& target);
    // Sets the master level from the pointer's x while it presses or drags the slider.
    void dragVolume(const QRectF& row, double x);
    // Scrolls the chips by a wheel step; returns whether the row could move.
    bool scroll(const QRectF& row, double delta);
    double scrollOffset() const { return m_scroll; }

    // The chip of sound `index` (index == the number of sounds: the import chip), as laid out
    // now, scrolling included.
    QRectF chipRect(const QRectF& row, int index) const;
    QRectF sliderRect(const QRectF& row) const;
    // The imported sound behind a chip, if it is one: its id and name.
    std::optional<std::pair<std::string, QString>> userSound(int index) const;
    // The level shown, in [0, 1].
    double level() const;

private:
    double chipWidth(int index) const;
    double contentWidth() const;
    int chipCount() const;
    QRectF chipsArea(const QRectF& row) const;

    ViewContext& m_context;
    double m_scroll = 0;
    // Names measured so far: every chip's place depends on the widths of those before it, and
    // the row is painted again with the ring's glow many times a second.
    mutable QHash<QString, double> m_nameWidths;
};

} // namespace moorlet
