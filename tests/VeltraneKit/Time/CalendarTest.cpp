#include "VeltraneKit/Time/Calendar.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"

#include <date/tz.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include <cmath>
#include <random>

using namespace veltrane;

namespace {

constexpr Instant kHour = 3600;

// New York's 2026 changes: 8 March springs from 02:00 to 03:00, 1 November falls back from
// 02:00 to 01:00.
constexpr Instant kMarch8 = 1'772'946'000; // 2026-03-08 00:00 EST
constexpr Instant kMarch9 = 1'773'028'800; // 2026-03-09 00:00 EDT
constexpr Instant kNovember1 = 1'793'505'600; // 2026-11-01 00:00 EDT
constexpr Instant kNovember2 = 1'793'595'600; // 2026-11-02 00:00 EST

Calendar newYork() { return *Calendar::named("America/New_York"); }

} // namespace

TEST(CalendarTest, NamedZonesAreFoundAndTheCurrentZoneFollowsTheTimeZoneVariable)
{
    EXPECT_FALSE(Calendar::named("Nowhere/Atlantis"));
    veltrane::testing::ScopedEnvironment zoneVariable("TZ", nullptr);
    for (auto [variable, zone] : { std::pair<const char*, const char*> { ":Europe/Paris", "Europe/Paris" },
             { "/usr/share/zoneinfo/Europe/Berlin", "Europe/Berlin" }, { "Nowhere/Atlantis", nullptr } }) {
        zoneVariable.set(variable);
        EXPECT_EQ(Calendar::current().zoneName(), zone ? zone : Calendar::utc().zoneName()) << variable;
    }
}

TEST(CalendarTest, DaylightSavingDaysHaveTwentyThreeAndTwentyFiveHours)
{
    const auto calendar = newYork();
    const auto march8 = calendar.dayNumber(kMarch8 + 12 * kHour);
    EXPECT_EQ(calendar.startOfDay(march8), kMarch8);
    EXPECT_EQ(calendar.endOfDay(march8), kMarch9);

    const auto november1 = calendar.dayNumber(kNovember1 + 1);
    EXPECT_EQ(calendar.endOfDay(november1) - calendar.startOfDay(november1), 25 * kHour);

    // Every instant of the long day, including the last second, is on that day.
    EXPECT_EQ(calendar.dayNumber(kNovember2 - 1), november1);
    EXPECT_EQ(calendar.dayNumber(kNovember2), november1 + 1);
    EXPECT_EQ(calendar.startOfDay(kNovember2 - 0.25), kNovember1);
}

TEST(CalendarTest, ComponentsAndWeekdays)
{
    const auto calendar = newYork();
    const auto parts = calendar.components(kMarch8 + 14 * kHour + 5 * 60 + 7.5);
    EXPECT_EQ(parts, (DateComponents { 2026, 3, 8, 15, 5, 7.5 })); // 15:05:07.5 EDT
    EXPECT_EQ(calendar.weekday(kMarch8), 1); // a Sunday
    EXPECT_EQ(calendar.weekday(kMarch8 - 1), 7); // Saturday's last second
}

TEST(CalendarTest, LocalTimesResolveSkippedForwardAndRepeatedToTheEarlier)
{
    const auto calendar = newYork();
    EXPECT_EQ(calendar.instant({ 2026, 3, 8, 9, 0, 0 }), 1'772'974'800);
    // 02:30 does not exist on 8 March: the first instant after the gap, 03:00 EDT.
    EXPECT_EQ(calendar.instant({ 2026, 3, 8, 2, 30, 0 }), kMarch8 + 2 * kHour);
    // 01:30 happens twice on 1 November: the first time, still on daylight time.
    EXPECT_EQ(calendar.instant({ 2026, 11, 1, 1, 30, 0 }), kNovember1 + 1.5 * kHour);
    EXPECT_EQ(calendar.instant({ 2026, 11, 1, 2, 0, 0 }), kNovember1 + 3 * kHour);

}

TEST(CalendarTest, AddingDaysKeepsTheWallClockTimeAndDaysBetweenCountsCalendarDays)
{
    const auto calendar = newYork();
    const Instant saturdayNine = 1'772'892'000; // 2026-03-07 09:00 EST
    const Instant sundayNine = 1'772'974'800; // 2026-03-08 09:00 EDT
    EXPECT_EQ(calendar.addingDays(1, saturdayNine), sundayNine);
    EXPECT_EQ(calendar.addingDays(-1, sundayNine), saturdayNine);
    EXPECT_EQ(calendar.addingDays(1, kNovember1), kNovember2);
    // 02:30 on the day before the change lands in the gap a day later and moves past it.
    EXPECT_EQ(calendar.addingDays(1, kMarch8 - 21.5 * kHour), kMarch8 + 2 * kHour);

    // Days between count calendar days, not twenty-four-hour spans.
    EXPECT_EQ(calendar.daysBetween(kMarch8 - 1, kMarch8), 1);
    EXPECT_EQ(calendar.daysBetween(kMarch8 + 23 * kHour - 1, kMarch8), 0);
    EXPECT_EQ(calendar.daysBetween(kMarch8 - 1 * kHour, kMarch9 + 0.5 * kHour), 2);
    EXPECT_EQ(calendar.daysBetween(kNovember2, kNovember1), -1);
}

TEST(CalendarTest, OffsetsAgreeWithTheZoneDatabaseInAnyOrder)
{
    for (const auto* name : { "America/New_York", "Europe/London", "Australia/Lord_Howe", "Asia/Kolkata" }) {
        const auto calendar = *Calendar::named(name);
        const auto* zone = date::locate_zone(name);
        Calendar::Cursor cursor(calendar);
        std::mt19937 random(7);
        // From before the calendar's own table (1900) to after it (2100).
        std::uniform_real_distribution<double> anywhere(-2.5e9, 4.2e9);
        for (int index = 0; index < 20'000; ++index) {
            // Alternate random jumps with small steps so that both the remembered and the looked-up
            // periods are used.
            const auto instant = index % 2 ? anywhere(random) : kMarch8 + index * 997.0;
            const auto seconds = static_cast<std::int64_t>(std::floor(instant));
            const auto expected = zone->get_info(date::sys_seconds { std::chrono::seconds { seconds } }).offset.count();
            ASSERT_EQ(calendar.offsetFromUtc(instant), expected) << name << " " << instant;
            ASSERT_EQ(cursor.offsetFromUtc(instant), expected) << name << " " << instant;
            ASSERT_EQ(cursor.dayNumber(instant), calendar.dayNumber(instant));
            ASSERT_EQ(cursor.hour(instant), calendar.hour(instant));
        }
    }
}

