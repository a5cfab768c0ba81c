#include "VeltraneKit/Notifications/ScheduledNotification.h"

#include <QDateTime>

namespace veltrane {

Instant ScheduledNotification::dueAt() const
{
    return static_cast<Instant>(QDateTime(day, minute, Qt::LocalTime).toMSecsSinceEpoch()) / 1000.0;
}

} // namespace veltrane
