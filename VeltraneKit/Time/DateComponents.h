#pragma once

namespace veltrane {

// A local date and time of day as a calendar shows it: year, month (1–12), day of month (1–31),
// hour (0–23), minute (0–59) and second (0 up to, not including, 60; may carry a fraction).
struct DateComponents {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0;

    bool operator==(const DateComponents&) const = default;
};

} // namespace veltrane
