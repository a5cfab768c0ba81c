#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QUuid>

#include <optional>
#include <string>

namespace moorlet {

// One logged focus phase. Strings are UTF-8.
struct FocusSession {
    QUuid id = QUuid::createUuid();
    veltrane::Instant startDate = 0;
    veltrane::Seconds duration = 0;
    // The subject the phase was tagged with; absent when none.
    std::optional<std::string> subjectTag;
    // The session mode's name: "pomodoro", "flowmodoro" or "untilTime".
    std::string mode;
    // True when the phase ran to its planned end, false when it was stopped early.
    bool completed = false;
    // The intention line, trimmed; absent when empty.
    std::optional<std::string> intention;

    bool operator==(const FocusSession&) const = default;
};

} // namespace moorlet
