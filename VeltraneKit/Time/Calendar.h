#pragma once

#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/DateComponents.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace date {
class time_zone;
}

namespace veltrane {

// The Gregorian calendar in one time zone, with its daylight-saving rules: where days start,
// which local day and hour an instant falls in, and the instant of a local date and time.
// A small value, cheap to copy; two calendars are equal when they use the same zone.
//
// Local times that a zone skips or repeats are resolved by one rule everywhere:
// - a skipped local time (inside a spring-forward gap) resolves to the first instant after the
//   gap, so 02:30 on a day that jumps from 02:00 to 03:00 gives 03:00;
// - a repeated local time (inside a fall-back overlap) resolves to its earlier occurrence.
// Instants beyond roughly ±30 000 years from 1970 are clamped to that range and a NaN instant
// reads as its lower end, so no input can overflow the integer day arithmetic.
class Calendar {
    struct ZoneOffsets;

public:
    // Days since 1970-01-01 in local dates: the key of a calendar day. Consecutive days have
    // consecutive numbers whatever their length.
    using DayNumber = std::int32_t;
    // The range of days the calendar computes (about ±29 800 years around 1970). Instants outside
    // it are clamped into it.
    static constexpr DayNumber earliestDay = -10'879'629;
    static constexpr DayNumber latestDay = 10'879'629;

    // The user's zone: the one named by the TZ environment variable when it is set (an unknown
    // or empty name means UTC, as the C library treats it), otherwise the system's zone
    // (/etc/localtime), otherwise UTC.
    static Calendar current();
    static Calendar utc();
    // The zone with the given IANA name ("America/New_York"), or nothing for an unknown name.
    static std::optional<Calendar> named(std::string_view zoneName);

    // The IANA name of the zone ("UTC" when no zone database is installed).
    std::string zoneName() const;

    DayNumber dayNumber(Instant instant) const;
    // The first instant of the given local day: local midnight, or the end of a gap that
    // swallows midnight.
    Instant startOfDay(DayNumber day) const;
    Instant startOfDay(Instant instant) const { return startOfDay(dayNumber(instant)); }
    // The first instant of the day after the given one, so that [startOfDay(d), endOfDay(d)) holds
    // exactly the instants of day d.
    Instant endOfDay(DayNumber day) const { return startOfDay(day + 1); }
    // The same local time of day so many calendar days later (earlier when negative), resolved
    // by the rule above; nothing when the result leaves the calendar's range.
    std::optional<Instant> addingDays(int days, Instant to) const;
    bool isSameDay(Instant first, Instant second) const { return dayNumber(first) == dayNumber(second); }
    // Whole calendar days from the day of `from` to the day of `to`; the time of day plays no part
    // (today 0, tomorrow 1, yesterday -1).
    int daysBetween(Instant from, Instant to) const { return dayNumber(to) - dayNumber(from); }

    DateComponents components(Instant instant) const;
    int hour(Instant instant) const;
    // 1 = Sunday … 7 = Saturday.
    int weekday(Instant instant) const;
    static int weekday(DayNumber day);
    // Seconds east of UTC in force at the instant (−18000 for New York in winter).
    Seconds offsetFromUtc(Instant instant) const;

    // The instant of a local date and time, resolved by the rule above. Nothing when a component
    // is out of its range (month 13, 30 February, hour 24, second 60…).
    std::optional<Instant> instant(const DateComponents& components) const;
    // The start of the local day with the given date, nothing for a date that does not exist.
    std::optional<Instant> startOfDay(int year, int month, int day) const;

    bool operator==(const Calendar& other) const { return m_zone == other.m_zone; }

    // Reads the local day and hour of many instants quickly: it remembers the period of constant
    // offset that the last instant fell in, so a run over records in time order consults the zone
    // database only when it crosses a daylight-saving change. Results equal the calendar's own.
    class Cursor {
    public:
        explicit Cursor(const Calendar& calendar)
            : m_zone(calendar.m_zone)
            , m_offsets(calendar.m_offsets)
        {
        }

        Seconds offsetFromUtc(Instant instant);
        DayNumber dayNumber(Instant instant);
        int hour(Instant instant);

    private:
        const date::time_zone* m_zone;
        const ZoneOffsets* m_offsets;
        std::int64_t m_periodBegin = 1;
        std::int64_t m_periodEnd = 0; // empty until the first lookup
        std::int64_t m_offset = 0;
    };

private:
    explicit Calendar(const date::time_zone* zone);

    std::optional<Instant> resolve(std::int64_t localSeconds, double fraction) const;

    // Null when the system has no zone database: the calendar is then plain UTC.
    const date::time_zone* m_zone;
    // The zone's offsets over the years people log, shared by every calendar of the zone; null
    // without a zone.
    const ZoneOffsets* m_offsets;
};

} // namespace veltrane
