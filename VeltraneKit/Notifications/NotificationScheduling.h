#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <string>

namespace veltrane {

// What callers need from the desktop's notifications: post now, post once at a minute, withdraw.
// The real implementation is NotificationScheduler; tests substitute a recording double.
// Every call is fire-and-forget and main-thread only.
class NotificationScheduling {
public:
    virtual ~NotificationScheduling() = default;

    virtual bool isAvailable() const = 0;
    // Posts a notification now.
    virtual void notify(const std::string& title, const std::string& body) = 0;
    // Posts a notification once at the minute of `at` (seconds dropped, local time). Does nothing
    // when `at` is not later than now. Scheduling an id that is pending replaces it.
    virtual void schedule(const std::string& id, Instant at, const std::string& title,
        const std::string& body)
        = 0;
    // Withdraws a pending scheduled notification; harmless when nothing is pending under `id`.
    virtual void cancel(const std::string& id) = 0;
};

} // namespace veltrane
