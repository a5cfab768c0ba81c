#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QUuid>

#include <optional>
#include <string>

namespace moorlet {

// One exam or deadline. Strings are UTF-8.
struct Deadline {
    QUuid id = QUuid::createUuid();
    // Trimmed and never empty when the store creates the deadline.
    std::string title;
    // When it is due (date and time).
    veltrane::Instant date = 0;
    // The subject it belongs to, stored as given.
    std::optional<std::string> subject;

    bool operator==(const Deadline&) const = default;
};

} // namespace moorlet
