#pragma once

#include "Moorlet/Views/RollingText.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QRectF>

class QPainter;

namespace moorlet {

struct ViewContext;

// The collapsed tile's content: the open progress arc in the accent, the time in the middle and,
// under it, the phase word, replaced by an upward chevron while the pointer is over the widget
// to say that a click opens the card. It takes no input of its own: a click on the tile belongs
// to the panel, which expands the card.
class CollapsedTileView {
public:
    // The arc's inset from the tile's edge and its stroke width.
    static constexpr double kArcInset = 6;
    static constexpr double kArcLineWidth = 3.5;

    explicit CollapsedTileView(ViewContext& context);

    // Reads the controller again and animates what changed.
    void refresh();
    // Reads only the time and the progress, painting again only where they are: what the
    // running clock changes several times a second.
    void refreshTime();
    // Whether the tile is on screen (not hidden behind the expanded card): a hidden tile's
    // changes land without animating.
    void setShown(bool shown);

    double displayedProgress() const { return m_progress.value(); }
    const RollingText& time() const { return m_time; }
    // 1 while the click hint shows, 0 while the phase word does (in between while fading).
    double hintPresence() const { return m_hint.value(); }

    void paint(QPainter& painter, const QRectF& tile) const;

    // In the tile's coordinates: the line of the phase word, and the room above it (over the
    // time) where a celebration's toast stands without hiding the word.
    static QRectF phaseWordBox();
    static QRectF celebrationArea();

private:
    // Where the time's line lies in the tile.
    static QRectF timeBox();
    // Everything the time's roll may paint.
    static QRectF timeArea();
    // Where the arc lies in the tile, its stroke included.
    static QRectF arcArea();
    // The progress the arc shows: the displayed progress to the nearest half point of arc.
    double drawnProgress() const;

    ViewContext& m_context;
    veltrane::AnimatedValue<double> m_progress;
    RollingText m_time;
    veltrane::AnimatedValue<double> m_hint;
    bool m_initialised = false;
    bool m_shown = true;
};

} // namespace moorlet
