#pragma once

#include "MoorletCore/AnalyticsEngine.h"
#include "VeltraneKit/Time/Calendar.h"

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace moorlet {

class FocusController;

// The numbers a recap card shows: the big focus figure with its period, the sessions, the streak
// and the last seven days as bars. The card's share button makes one for today, the insights
// window one for its week or month.
struct RecapData {
    struct Bar {
        // The day's focus against the largest of the seven, 0…1.
        double fraction = 0;
        QString letter;
        bool isToday = false;

        bool operator==(const Bar&) const = default;
    };

    // "Today", "This week" or "This month".
    QString period;
    QString focusLabel;
    int sessions = 0;
    int streak = 0;
    // Carried for whoever shows the recap beside the card; the card itself does not draw it.
    std::optional<QString> bestHourLabel;
    // The last seven days, oldest first.
    std::vector<Bar> bars;
    QColor accent;

    // The line under the big figure: "of focus today", or "focused this week" / "focused this month".
    QString caption() const;

    // The bars for the last entries of `totals` (seven at most), each against the largest of
    // them (at least one second), with today's marked.
    static std::vector<Bar> barsFrom(const std::vector<AnalyticsEngine::DailyTotal>& totals,
        const veltrane::Calendar& calendar, veltrane::Instant now);

    // Today's recap as the card offers it: the controller's figures over the stored sessions.
    static RecapData today(const FocusController& controller, veltrane::Instant now);
};

// The weekday's one-letter name in the user's language ("S", "M", "T", … in English).
QString weekdayLetter(const veltrane::Calendar& calendar, veltrane::Instant day);

} // namespace moorlet
