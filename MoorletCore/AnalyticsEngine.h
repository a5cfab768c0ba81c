#pragma once

#include "MoorletCore/FocusRecord.h"
#include "VeltraneKit/Time/Calendar.h"
#include "VeltraneKit/Time/Clock.h"

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace moorlet {

// The figures the user sees, computed from a list of logged focus blocks: today's time and count,
// streaks against the daily goal, totals per day, hour and subject, the best hour, and a period
// compared with the one before. Every operation is a pure function of its arguments and the
// calendar; nothing is stored or cached.
//
// A block counts entirely toward the day and the hour in which it started, even when it runs
// past midnight. Days are the calendar's days, with its zone and daylight-saving rules, so a day
// may last 23 or 25 hours.
class AnalyticsEngine {
public:
    using Records = std::span<const FocusRecord>;

    struct DailyTotal {
        // The first instant of the day.
        veltrane::Instant day = 0;
        veltrane::Seconds seconds = 0;

        DailyTotal() = default;
        DailyTotal(veltrane::Instant day, veltrane::Seconds seconds)
            : day(day)
            , seconds(seconds)
        {
        }
        bool operator==(const DailyTotal&) const = default;
    };

    struct SubjectTotal {
        std::string subject;
        veltrane::Seconds seconds = 0;

        SubjectTotal() = default;
        SubjectTotal(std::string subject, veltrane::Seconds seconds)
            : subject(std::move(subject))
            , seconds(seconds)
        {
        }
        bool operator==(const SubjectTotal&) const = default;
    };

    struct PeriodSummary {
        veltrane::Seconds totalFocus = 0;
        // Completed blocks only.
        int sessions = 0;
        // The total divided by the number of days in the period (not by the active days).
        veltrane::Seconds dailyAverage = 0;
        // Days of the period with some focus.
        int activeDays = 0;
        // (this period − the previous one) / the previous one; absent when the previous had none.
        std::optional<double> deltaFraction;

        bool operator==(const PeriodSummary&) const = default;
    };

    explicit AnalyticsEngine(veltrane::Calendar calendar)
        : m_calendar(calendar)
    {
    }

    const veltrane::Calendar& calendar() const { return m_calendar; }
    void setCalendar(const veltrane::Calendar& calendar) { m_calendar = calendar; }

    // Time totals include blocks that were cut short; counts include completed blocks only.
    veltrane::Seconds totalFocus(Records records) const;
    // Records with since ≤ start ≤ asOf.
    veltrane::Seconds totalFocus(Records records, veltrane::Instant since, veltrane::Instant asOf) const;
    int sessionCount(Records records, veltrane::Instant since, veltrane::Instant asOf) const;
    // Records that started on the day of the given instant.
    veltrane::Seconds focus(veltrane::Instant on, Records records) const;
    int completedCount(veltrane::Instant on, Records records) const;

    // Per day with at least one record, keyed by the day's first instant.
    std::map<veltrane::Instant, veltrane::Seconds> focusByDay(Records records) const;
    // One entry per day of the lastDays days ending with the day of asOf, oldest first; days with
    // nothing logged give 0. Empty when lastDays ≤ 0.
    std::vector<DailyTotal> dailyTotals(Records records, int lastDays, veltrane::Instant asOf) const;
    // Index h holds the time of the records that started in hour h of their local day.
    std::array<veltrane::Seconds, 24> hourBuckets(Records records) const;
    // The hour of day with the most focus among the hours that occur (the earliest on a tie);
    // nothing for no records.
    std::optional<int> bestHour(Records records) const;
    // The best hour as a span, "9 AM–10 AM"; nothing for no records.
    std::optional<std::string> bestHourLabel(Records records) const;
    // Time per subject, largest first (ties by name). Untagged records and records with an
    // empty tag are pooled under the unlabeled name.
    std::vector<SubjectTotal> bySubject(Records records, std::string_view unlabeled) const;

    // A day qualifies when its total reaches dailyGoal (any focus at all when dailyGoal ≤ 0).
    // The current streak counts qualifying days back from today, or from yesterday while today
    // has not qualified yet.
    int currentStreak(Records records, veltrane::Instant asOf, veltrane::Seconds dailyGoal) const;
    int longestStreak(Records records, veltrane::Seconds dailyGoal) const;
    // The lastDays days ending with the day of asOf, compared with the lastDays days before them.
    // A period of no days (lastDays ≤ 0) gives all zeros.
    PeriodSummary summary(Records records, int lastDays, veltrane::Instant asOf) const;

    // The label of an hour of day: "12 AM", "9 AM", "12 PM", "11 PM" (taken modulo 24).
    static std::string hourLabel(int hour);

private:
    veltrane::Calendar m_calendar;
};

} // namespace moorlet
