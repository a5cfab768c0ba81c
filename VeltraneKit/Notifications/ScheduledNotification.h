#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QDate>
#include <QTime>

#include <string>

namespace veltrane {

// A one-time notification waiting for its minute. The minute is kept as local calendar fields,
// not as an instant, so a reminder set for 09:00 still fires at 09:00 after the time zone or the
// daylight-saving offset changes.
struct ScheduledNotification {
    std::string id;
    QDate day;
    // Hour and minute; seconds are always zero.
    QTime minute;
    std::string title;
    std::string body;

    // The instant the minute begins, in the time zone in force now.
    Instant dueAt() const;

    friend bool operator==(const ScheduledNotification&, const ScheduledNotification&) = default;
};

} // namespace veltrane
