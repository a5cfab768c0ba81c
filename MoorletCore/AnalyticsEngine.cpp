#include "MoorletCore/AnalyticsEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>

namespace moorlet {

using veltrane::Calendar;
using veltrane::Instant;
using veltrane::Seconds;
using DayNumber = Calendar::DayNumber;

namespace {

// Per-day totals keyed by the calendar's day numbers, so that day arithmetic is integer
// arithmetic and the zone is consulted once per record at most.
using DayTotals = std::unordered_map<DayNumber, Seconds>;

DayTotals secondsByDay(const Calendar& calendar, AnalyticsEngine::Records records)
{
    DayTotals totals;
    Calendar::Cursor cursor(calendar);
    for (const auto& record : records)
        totals[cursor.dayNumber(record.startDate)] += record.duration;
    return totals;
}

Seconds totalOn(const DayTotals& totals, std::int64_t day)
{
    const auto found = totals.find(static_cast<DayNumber>(day));
    return found == totals.end() ? 0 : found->second;
}

// The day of an instant as the half-open span from its first instant to the next day's, so that
// membership is two comparisons per record rather than a zone lookup.
std::pair<Instant, Instant> daySpan(const Calendar& calendar, Instant on)
{
    const auto day = calendar.dayNumber(on);
    return { calendar.startOfDay(day), calendar.endOfDay(day) };
}

bool qualifies(Seconds total, Seconds dailyGoal)
{
    return dailyGoal > 0 ? total >= dailyGoal : total > 0;
}

// A NaN total sorts last instead of breaking the sort's ordering.
Seconds sortKey(Seconds seconds)
{
    return std::isnan(seconds) ? -std::numeric_limits<Seconds>::infinity() : seconds;
}

} // namespace

Seconds AnalyticsEngine::totalFocus(Records records) const
{
    Seconds total = 0;
    for (const auto& record : records)
        total += record.duration;
    return total;
}

Seconds AnalyticsEngine::totalFocus(Records records, Instant since, Instant asOf) const
{
    Seconds total = 0;
    for (const auto& record : records) {
        if (record.startDate >= since && record.startDate <= asOf)
            total += record.duration;
    }
    return total;
}

int AnalyticsEngine::sessionCount(Records records, Instant since, Instant asOf) const
{
    int count = 0;
    for (const auto& record : records) {
        if (record.completed && record.startDate >= since && record.startDate <= asOf)
            ++count;
    }
    return count;
}

Seconds AnalyticsEngine::focus(Instant on, Records records) const
{
    const auto [start, end] = daySpan(m_calendar, on);
    Seconds total = 0;
    for (const auto& record : records) {
        if (record.startDate >= start && record.startDate < end)
            total += record.duration;
    }
    return total;
}

int AnalyticsEngine::completedCount(Instant on, Records records) const
{
    // A named span rather than a structured binding: Clang before 16 cannot capture those.
    const auto span = daySpan(m_calendar, on);
    return static_cast<int>(std::count_if(records.begin(), records.end(), [span](const FocusRecord& record) {
        const auto [start, end] = span;
        return record.completed && record.startDate >= start && record.startDate < end;
    }));
}

std::map<Instant, Seconds> AnalyticsEngine::focusByDay(Records records) const
{
    std::map<Instant, Seconds> result;
    for (const auto& [day, seconds] : secondsByDay(m_calendar, records))
        result[m_calendar.startOfDay(day)] += seconds;
    return result;
}

std::vector<AnalyticsEngine::DailyTotal> AnalyticsEngine::dailyTotals(Records records, int lastDays, Instant asOf) const
{
    if (lastDays <= 0)
        return {};
    const std::int64_t today = m_calendar.dayNumber(asOf);
    // Days before the calendar's range cannot be produced and are left out.
    const auto first = std::max<std::int64_t>(today - (lastDays - 1), Calendar::earliestDay);
    const auto windowStart = m_calendar.startOfDay(static_cast<DayNumber>(first));
    const auto windowEnd = m_calendar.endOfDay(static_cast<DayNumber>(today));

    std::vector<Seconds> seconds(static_cast<std::size_t>(today - first + 1), 0.0);
    Calendar::Cursor cursor(m_calendar);
    for (const auto& record : records) {
        if (!(record.startDate >= windowStart && record.startDate < windowEnd))
            continue;
        const auto index = static_cast<std::int64_t>(cursor.dayNumber(record.startDate)) - first;
        if (index >= 0 && index < static_cast<std::int64_t>(seconds.size()))
            seconds[static_cast<std::size_t>(index)] += record.duration;
    }

    std::vector<DailyTotal> totals;
    totals.reserve(seconds.size());
    for (std::size_t index = 0; index < seconds.size(); ++index) {
        const auto day = static_cast<DayNumber>(first + static_cast<std::int64_t>(index));
        totals.emplace_back(m_calendar.startOfDay(day), seconds[index]);
    }
    return totals;
}

std::array<Seconds, 24> AnalyticsEngine::hourBuckets(Records records) const
{
    std::array<Seconds, 24> buckets {};
    Calendar::Cursor cursor(m_calendar);
    for (const auto& record : records)
        buckets[static_cast<std::size_t>(cursor.hour(record.startDate))] += record.duration;
    return buckets;
}

std::optional<int> AnalyticsEngine::bestHour(Records records) const
{
    std::array<Seconds, 24> totals {};
    std::array<bool, 24> occurs {};
    Calendar::Cursor cursor(m_calendar);
    for (const auto& record : records) {
        const auto hour = static_cast<std::size_t>(cursor.hour(record.startDate));
        totals[hour] += record.duration;
        occurs[hour] = true;
    }
    std::optional<int> best;
    for (int hour = 0; hour < 24; ++hour) {
        const auto index = static_cast<std::size_t>(hour);
        if (occurs[index] && (!best || sortKey(totals[index]) > sortKey(totals[static_cast<std::size_t>(*best)])))
            best = hour;
    }
    return best;
}

std::string AnalyticsEngine::hourLabel(int hour)
{
    const auto hourOfDay = (hour % 24 + 24) % 24;
    auto onDial = hourOfDay < 12 ? hourOfDay : hourOfDay - 12;
    if (onDial == 0)
        onDial = 12;
    return std::to_string(onDial) + (hourOfDay < 12 ? " AM" : " PM");
}

std::optional<std::string> AnalyticsEngine::bestHourLabel(Records records) const
{
    const auto hour = bestHour(records);
    if (!hour)
        return std::nullopt;
    // An en dash with no spaces around it.
    return hourLabel(*hour) + "\u2013" + hourLabel(*hour + 1);
}

std::vector<AnalyticsEngine::SubjectTotal> AnalyticsEngine::bySubject(Records records, std::string_view unlabeled) const
{
    // Keys view the records' own strings: they outlive this call.
    std::unordered_map<std::string_view, Seconds> totals;
    for (const auto& record : records) {
        const bool tagged = record.subject && !record.subject->empty();
        totals[tagged ? std::string_view(*record.subject) : unlabeled] += record.duration;
    }
    std::vector<SubjectTotal> result;
    result.reserve(totals.size());
    for (const auto& [subject, seconds] : totals)
        result.emplace_back(std::string(subject), seconds);
    std::sort(result.begin(), result.end(), [](const SubjectTotal& left, const SubjectTotal& right) {
        const auto leftKey = sortKey(left.seconds);
        const auto rightKey = sortKey(right.seconds);
        return leftKey != rightKey ? leftKey > rightKey : left.subject < right.subject;
    });
    return result;
}

int AnalyticsEngine::currentStreak(Records records, Instant asOf, Seconds dailyGoal) const
{
    const auto totals = secondsByDay(m_calendar, records);
    std::int64_t day = m_calendar.dayNumber(asOf);
    // An unfinished today never breaks a streak that reached yesterday.
    if (!qualifies(totalOn(totals, day), dailyGoal))
        --day;
    int streak = 0;
    while (day >= Calendar::earliestDay && qualifies(totalOn(totals, day), dailyGoal)) {
        ++streak;
        --day;
    }
    return streak;
}

int AnalyticsEngine::longestStreak(Records records, Seconds dailyGoal) const
{
    const auto totals = secondsByDay(m_calendar, records);
    std::vector<DayNumber> days;
    days.reserve(totals.size());
    for (const auto& [day, seconds] : totals) {
        if (qualifies(seconds, dailyGoal))
            days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    int longest = 0;
    int run = 0;
    std::optional<DayNumber> previous;
    for (const auto day : days) {
        run = previous && *previous + 1 == day ? run + 1 : 1;
        longest = std::max(longest, run);
        previous = day;
    }
    return longest;
}

AnalyticsEngine::PeriodSummary AnalyticsEngine::summary(Records records, int lastDays, Instant asOf) const
{
    // A period of no days has no average; it reads as nothing at all rather than NaN.
    if (lastDays <= 0)
        return {};
    const std::int64_t today = m_calendar.dayNumber(asOf);
    const auto periodFirst = today - (lastDays - 1);
    const auto previousFirst = periodFirst - lastDays;
    if (previousFirst < Calendar::earliestDay)
        return {};
    const auto periodStart = m_calendar.startOfDay(static_cast<DayNumber>(periodFirst));
    const auto previousStart = m_calendar.startOfDay(static_cast<DayNumber>(previousFirst));

    PeriodSummary summary;
    Seconds previousTotal = 0;
    for (const auto& record : records) {
        const auto start = record.startDate;
        if (start >= periodStart && start <= asOf) {
            summary.totalFocus += record.duration;
            if (record.completed)
                ++summary.sessions;
        } else if (start >= previousStart && start < periodStart) {
            // The previous period ends where this one begins, fractions of a second included.
            previousTotal += record.duration;
        }
    }
    const auto days = dailyTotals(records, lastDays, asOf);
    summary.activeDays = static_cast<int>(
        std::count_if(days.begin(), days.end(), [](const DailyTotal& total) { return total.seconds > 0; }));
    if (previousTotal > 0)
        summary.deltaFraction = (summary.totalFocus - previousTotal) / previousTotal;
    summary.dailyAverage = summary.totalFocus / lastDays;
    return summary;
}

} // namespace moorlet
