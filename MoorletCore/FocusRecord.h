#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <optional>
#include <string>

namespace moorlet {

// One logged focus block as the analytics see it.
struct FocusRecord {
    veltrane::Instant startDate = 0;
    veltrane::Seconds duration = 0;
    // The block ran to its end.
    bool completed = false;
    // The subject tag; absent when untagged.
    std::optional<std::string> subject;

    FocusRecord() = default;
    FocusRecord(veltrane::Instant startDate, veltrane::Seconds duration, bool completed,
        std::optional<std::string> subject = std::nullopt)
        : startDate(startDate)
        , duration(duration)
        , completed(completed)
        , subject(std::move(subject))
    {
    }

    bool operator==(const FocusRecord&) const = default;
};

} // namespace moorlet
