#pragma once

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTarget.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace moorlet {

// The card's word with a user back from time away, laid over the rows under the controls while
// the controller holds an away notice: "You were away for 12 min." with "Keep it" and "Drop it"
// after idle time, or a resume button after a lock. It holds nothing but what it is given.
class AwayBanner {
public:
    // The buttons of a notice, leading to trailing.
    static std::vector<CardTarget::Kind> buttons(FocusController::AwayNotice::Kind kind);
    static QString message(veltrane::Seconds away);
    static QString label(CardTarget::Kind button);

    // `rect` is the band the banner covers, in the card's coordinates.
    static QRectF buttonRect(const QRectF& rect, FocusController::AwayNotice::Kind kind, CardTarget::Kind button);
    static std::optional<CardTarget> hitTest(const QRectF& rect, FocusController::AwayNotice::Kind kind, QPointF point);

    struct Colors {
        QColor background;
        QColor text;
        QColor accent;
    };
    static void paint(QPainter& painter, const QRectF& rect, const FocusController::AwayNotice& notice, const Colors& colors,
        const std::optional<CardTarget>& hovered);
};

} // namespace moorlet
