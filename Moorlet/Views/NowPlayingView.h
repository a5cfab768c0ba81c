#pragma once

#include "Moorlet/Views/CardTarget.h"

#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;

namespace moorlet {

struct ViewContext;

// The card's now-playing row. With a music player running: the player's symbol, the track's
// title ("Not playing" when there is none) above its artist, and previous / play-pause / next
// buttons. With none running: one button per installed player that opens it in the background.
// The first time it is shown it starts the media controller's polling.
class NowPlayingView {
public:
    static constexpr double kButtonWidth = 24;
    static constexpr double kPromptLineHeight = 15;

    explicit NowPlayingView(ViewContext& context);

    // Called whenever the row is on screen; starts the polling once.
    void shown();
    bool isPolling() const { return m_polling; }

    void paint(QPainter& painter, const QRectF& row) const;
    std::optional<CardTarget> hitTest(const QRectF& row, QPointF point) const;
    void activate(const CardTarget& target);

    // The rectangle of a button: previous, play-pause and next, or the prompt of a connectable
    // player (by its position in the list).
    QRectF targetRect(const QRectF& row, const CardTarget& target) const;

private:
    ViewContext& m_context;
    bool m_polling = false;
};

} // namespace moorlet
