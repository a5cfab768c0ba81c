#pragma once

#include "Moorlet/Views/CardTarget.h"

#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <optional>

class QPainter;

namespace moorlet {

class MediaController;
struct ViewContext;

// The card's now-playing row. With a music player running: the player's symbol, the track's
// title ("Not playing" when there is none) above its artist, and previous / play-pause / next
// buttons. With none running: the music symbol and one button per installed player that opens it
// in the background, its words wrapped to two lines where they need them. The first time it is
// shown it starts the media controller's polling.
class NowPlayingView {
public:
    static constexpr double kButtonWidth = 24;
    static constexpr double kOfferLineHeight = 16;
    // Between two offers, so that each reads as a button of its own.
    static constexpr double kOfferGap = 6;

    explicit NowPlayingView(ViewContext& context);

    // Called whenever the row is on screen; starts the polling once.
    void shown();
    bool isPolling() const { return m_polling; }

    // `card` is the whole card, for the colour behind the row.
    void paint(QPainter& painter, const QRectF& row, const QRectF& card) const;
    std::optional<CardTarget> hitTest(const QRectF& row, QPointF point) const;
    void activate(const CardTarget& target);

    // The rectangle of a button: previous, play-pause and next, or the prompt of a connectable
    // player (by its position in the list).
    QRectF targetRect(const QRectF& row, const CardTarget& target) const;

    // The height the offers to open a player take in the card's row: none while a player runs
    // or when no player is offered (`media` may be null).
    static double offersHeight(const MediaController* media);
    // The words of the offer to open the player at `index` of the connectable ones, line by line.
    static QStringList offerLines(const MediaController& media, int index);

private:
    ViewContext& m_context;
    bool m_polling = false;
};

} // namespace moorlet
