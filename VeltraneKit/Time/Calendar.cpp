#include "VeltraneKit/Time/Calendar.h"

#include <date/date.h>
#include <date/tz.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace veltrane {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kSecondsPerHour = 3'600;
// The calendar's days run from earliestDay to latestDay. Instants are clamped one day inside
// that range so that no zone offset can carry a clamped instant's local day beyond it, and local
// times resolve anywhere within it.
constexpr std::int64_t kLimitDays = Calendar::latestDay;
static_assert(Calendar::earliestDay == -Calendar::latestDay);
constexpr std::int64_t kLimitSeconds = (kLimitDays - 1) * kSecondsPerDay;
constexpr std::int64_t kLocalLimitSeconds = (kLimitDays + 1) * kSecondsPerDay - 1;

std::int64_t wholeSeconds(Instant instant)
{
    // Negated comparisons send NaN to the lower end.
    if (!(instant > static_cast<double>(-kLimitSeconds)))
        return -kLimitSeconds;
    if (instant > static_cast<double>(kLimitSeconds))
        return kLimitSeconds;
    return static_cast<std::int64_t>(std::floor(instant));
}

double fractionOf(Instant instant)
{
    const auto fraction = instant - std::floor(instant);
    return fraction >= 0 && fraction < 1 ? fraction : 0;
}

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor)
{
    const auto quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

const date::time_zone* locate(std::string_view name)
{
    try {
        return date::locate_zone(name);
    } catch (...) {
        // An unknown name or a missing zone database: the caller decides the fallback.
        return nullptr;
    }
}

std::optional<date::year_month_day> validDate(int year, int month, int day)
{
    if (std::abs(year) > 29'000 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const date::year_month_day date { date::year { year }, date::month { static_cast<unsigned>(month) },
        date::day { static_cast<unsigned>(day) } };
    if (!date.ok())
        return std::nullopt;
    return date;
}

} // namespace

// The periods of constant offset of one zone between 1900 and 2100, flattened into plain arrays.
// Looking an instant up is a binary search with no allocation, where the zone library builds a
// record with the zone's abbreviation each time; analytics look up every logged block.
struct Calendar::ZoneOffsets {
    std::int64_t first = 0; // the first instant covered
    std::int64_t last = 0; // the first instant no longer covered
    std::vector<std::int64_t> begins; // ascending; period i runs until begins[i + 1] (or last)
    std::vector<std::int64_t> offsets;

    explicit ZoneOffsets(const date::time_zone& zone)
    {
        using date::sys_days;
        first = sys_days(date::year { 1900 } / 1 / 1).time_since_epoch().count() * kSecondsPerDay;
        last = sys_days(date::year { 2100 } / 1 / 1).time_since_epoch().count() * kSecondsPerDay;
        for (auto instant = first; instant < last;) {
            const auto info = zone.get_info(date::sys_seconds { std::chrono::seconds { instant } });
            begins.push_back(instant);
            offsets.push_back(info.offset.count());
            instant = info.end.time_since_epoch().count();
        }
    }

    // Shared per zone for the whole run: zones themselves live as long as the process.
    static const ZoneOffsets* of(const date::time_zone* zone)
    {
        if (!zone)
            return nullptr;
        static std::mutex mutex;
        static std::map<const date::time_zone*, std::unique_ptr<const ZoneOffsets>> tables;
        const std::lock_guard lock(mutex);
        auto& table = tables[zone];
        if (!table)
            table = std::make_unique<const ZoneOffsets>(*zone);
        return table.get();
    }
};

Calendar::Calendar(const date::time_zone* zone)
    : m_zone(zone)
    , m_offsets(ZoneOffsets::of(zone))
{
}

Calendar Calendar::utc()
{
    static const auto* const zone = locate("Etc/UTC");
    return Calendar(zone);
}

std::optional<Calendar> Calendar::named(std::string_view zoneName)
{
    if (const auto* zone = locate(zoneName))
        return Calendar(zone);
    return std::nullopt;
}

Calendar Calendar::current()
{
    // The zone library reads only /etc/localtime, but a user (and every test run) may choose a
    // zone through TZ, which the rest of the desktop honours.
    if (const char* variable = std::getenv("TZ")) {
        std::string_view name(variable);
        if (name.starts_with(':'))
            name.remove_prefix(1);
        if (const auto folder = name.find("zoneinfo/"); folder != std::string_view::npos)
            name.remove_prefix(folder + std::string_view("zoneinfo/").size());
        if (auto calendar = named(name))
            return *calendar;
        return utc();
    }
    try {
        if (const auto* zone = date::current_zone())
            return Calendar(zone);
    } catch (...) {
        // No readable /etc/localtime: fall through to UTC.
    }
    return utc();
}

std::string Calendar::zoneName() const
{
    return m_zone ? std::string(m_zone->name()) : std::string("UTC");
}

Seconds Calendar::Cursor::offsetFromUtc(Instant instant)
{
    const auto seconds = wholeSeconds(instant);
    if (seconds < m_periodBegin || seconds >= m_periodEnd) {
        if (m_offsets && seconds >= m_offsets->first && seconds < m_offsets->last) {
            const auto& begins = m_offsets->begins;
            const auto index = static_cast<std::size_t>(
                std::upper_bound(begins.begin(), begins.end(), seconds) - begins.begin() - 1);
            m_periodBegin = begins[index];
            m_periodEnd = index + 1 < begins.size() ? begins[index + 1] : m_offsets->last;
            m_offset = m_offsets->offsets[index];
        } else if (m_zone) {
            const auto info = m_zone->get_info(date::sys_seconds { std::chrono::seconds { seconds } });
            m_periodBegin = info.begin.time_since_epoch().count();
            m_periodEnd = info.end.time_since_epoch().count();
            m_offset = info.offset.count();
        } else {
            m_periodBegin = std::numeric_limits<std::int64_t>::min();
            m_periodEnd = std::numeric_limits<std::int64_t>::max();
            m_offset = 0;
        }
    }
    return static_cast<Seconds>(m_offset);
}

Calendar::DayNumber Calendar::Cursor::dayNumber(Instant instant)
{
    const auto offset = static_cast<std::int64_t>(offsetFromUtc(instant));
    return static_cast<DayNumber>(floorDivide(wholeSeconds(instant) + offset, kSecondsPerDay));
}

int Calendar::Cursor::hour(Instant instant)
{
    const auto offset = static_cast<std::int64_t>(offsetFromUtc(instant));
    const auto local = wholeSeconds(instant) + offset;
    const auto secondOfDay = local - floorDivide(local, kSecondsPerDay) * kSecondsPerDay;
    return static_cast<int>(secondOfDay / kSecondsPerHour);
}

Seconds Calendar::offsetFromUtc(Instant instant) const
{
    return Cursor(*this).offsetFromUtc(instant);
}

Calendar::DayNumber Calendar::dayNumber(Instant instant) const
{
    return Cursor(*this).dayNumber(instant);
}

int Calendar::hour(Instant instant) const
{
    return Cursor(*this).hour(instant);
}

int Calendar::weekday(DayNumber day)
{
    // 1970-01-01 was a Thursday, weekday 5.
    return static_cast<int>(((static_cast<std::int64_t>(day) + 4) % 7 + 7) % 7) + 1;
}

int Calendar::weekday(Instant instant) const
{
    return weekday(dayNumber(instant));
}

std::optional<Instant> Calendar::resolve(std::int64_t localSeconds, double fraction) const
{
    if (localSeconds < -kLocalLimitSeconds || localSeconds > kLocalLimitSeconds)
        return std::nullopt;
    if (!m_zone)
        return static_cast<Instant>(localSeconds) + fraction;
    const auto info = m_zone->get_info(date::local_seconds { std::chrono::seconds { localSeconds } });
    switch (info.result) {
    case date::local_info::unique:
    case date::local_info::ambiguous:
        // For a repeated time `first` is the period before the change: the earlier occurrence.
        return static_cast<Instant>(localSeconds - info.first.offset.count()) + fraction;
    case date::local_info::nonexistent:
        // The first instant after the gap; a fraction of a second inside the gap means nothing.
        return static_cast<Instant>(info.second.begin.time_since_epoch().count());
    }
    return std::nullopt;
}

Instant Calendar::startOfDay(DayNumber day) const
{
    const auto clamped = std::clamp<std::int64_t>(day, -kLimitDays, kLimitDays);
    return *resolve(clamped * kSecondsPerDay, 0);
}

std::optional<Instant> Calendar::addingDays(int days, Instant to) const
{
    const auto seconds = wholeSeconds(to);
    const auto local = seconds + static_cast<std::int64_t>(offsetFromUtc(to));
    return resolve(local + static_cast<std::int64_t>(days) * kSecondsPerDay, fractionOf(to));
}

DateComponents Calendar::components(Instant instant) const
{
    const auto local = wholeSeconds(instant) + static_cast<std::int64_t>(offsetFromUtc(instant));
    const auto day = floorDivide(local, kSecondsPerDay);
    const auto secondOfDay = local - day * kSecondsPerDay;
    const date::year_month_day date { date::sys_days { date::days { day } } };
    DateComponents result;
    result.year = static_cast<int>(date.year());
    result.month = static_cast<int>(static_cast<unsigned>(date.month()));
    result.day = static_cast<int>(static_cast<unsigned>(date.day()));
    result.hour = static_cast<int>(secondOfDay / kSecondsPerHour);
    result.minute = static_cast<int>(secondOfDay % kSecondsPerHour / 60);
    result.second = static_cast<double>(secondOfDay % 60) + fractionOf(instant);
    return result;
}

std::optional<Instant> Calendar::instant(const DateComponents& components) const
{
    const auto date = validDate(components.year, components.month, components.day);
    if (!date || components.hour < 0 || components.hour > 23 || components.minute < 0
        || components.minute > 59 || !(components.second >= 0 && components.second < 60))
        return std::nullopt;
    const auto day = static_cast<std::int64_t>(date::sys_days(*date).time_since_epoch().count());
    const auto whole = std::floor(components.second);
    const auto local = day * kSecondsPerDay + components.hour * kSecondsPerHour + components.minute * 60
        + static_cast<std::int64_t>(whole);
    return resolve(local, components.second - whole);
}

std::optional<Instant> Calendar::startOfDay(int year, int month, int day) const
{
    const auto date = validDate(year, month, day);
    if (!date)
        return std::nullopt;
    return startOfDay(static_cast<DayNumber>(date::sys_days(*date).time_since_epoch().count()));
}

} // namespace veltrane
