#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QUuid>

#include <string>

namespace moorlet {

// One entry of the task list. Strings are UTF-8.
struct FocusTask {
    QUuid id = QUuid::createUuid();
    // Trimmed and never empty when the store creates the task.
    std::string title;
    bool done = false;
    // Focus seconds credited to this task.
    veltrane::Seconds loggedSeconds = 0;
    // The store stamps this with its clock's now.
    veltrane::Instant createdAt = 0;

    bool operator==(const FocusTask&) const = default;
};

} // namespace moorlet
