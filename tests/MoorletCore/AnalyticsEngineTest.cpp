#include "MoorletCore/AnalyticsEngine.h"

#include <gtest/gtest.h>

#include <vector>

using namespace moorlet;
using veltrane::Calendar;
using veltrane::Instant;

namespace {

constexpr double kHour = 3600;

// Every test runs in New York, whose 8 March 2026 lasts 23 hours and 1 November 2026 25 hours.
class AnalyticsEngineTest : public ::testing::Test {
protected:
    // A local wall-clock time in New York.
    Instant at(int year, int month, int day, int hour = 12, int minute = 0) const
    {
        return *calendar.instant({ year, month, day, hour, minute, 0 });
    }
    Instant midnight(int year, int month, int day) const { return *calendar.startOfDay(year, month, day); }

    const Calendar calendar = *Calendar::named("America/New_York");
    const AnalyticsEngine analytics { calendar };
    std::vector<FocusRecord> records;
};

} // namespace

TEST_F(AnalyticsEngineTest, AnEmptyHistoryGivesZerosAndNothing)
{
    const auto now = at(2026, 3, 9, 10);
    EXPECT_FALSE(analytics.bestHourLabel(records));
    EXPECT_EQ(analytics.currentStreak(records, now, 3600), 0);
    EXPECT_EQ(analytics.summary(records, 7, now), AnalyticsEngine::PeriodSummary {});
}

TEST_F(AnalyticsEngineTest, ABlockCrossingMidnightCountsForTheDayAndHourItStarted)
{
    records = { { at(2026, 3, 7, 23, 50), 1500, true } };
    EXPECT_EQ(analytics.focus(at(2026, 3, 7, 8), records), 1500);
    EXPECT_EQ(analytics.focus(at(2026, 3, 8, 0, 5), records), 0);
    EXPECT_EQ(analytics.bestHourLabel(records), "11 PM\u201312 AM");
}

TEST_F(AnalyticsEngineTest, ShortAndLongDaysKeepEveryRecordOnItsLocalDay)
{
    records = {
        { at(2026, 3, 8, 0, 30), 600, true },
        { at(2026, 3, 8, 23, 30), 900, false }, // the last hour of the 23-hour day
        { at(2026, 3, 9, 0, 10), 300, true },
        { at(2026, 11, 1, 1, 30), 60, true }, // the first pass through 01:30
        { at(2026, 11, 1, 1, 30) + kHour, 120, true }, // the second pass, on standard time
        { at(2026, 11, 1, 23, 30), 240, true }, // the last hour of the 25-hour day
        { at(2026, 11, 2, 0, 0), 480, true },
    };
    EXPECT_EQ(analytics.completedCount(at(2026, 3, 8), records), 1);
    EXPECT_EQ(analytics.completedCount(at(2026, 11, 1), records), 3);
    // The record at the next midnight belongs to the next day.
    EXPECT_EQ(analytics.focus(at(2026, 11, 1), records), 420);

    const auto hours = analytics.hourBuckets(records);
    EXPECT_EQ(hours[0], 600 + 300 + 480);
    EXPECT_EQ(hours[1], 180);
    EXPECT_EQ(hours[23], 900 + 240);

    // Three days around each change, every one starting at local midnight.
    const auto spring = analytics.dailyTotals(records, 3, at(2026, 3, 9, 8));
    EXPECT_EQ(spring,
        (std::vector<AnalyticsEngine::DailyTotal> {
            { midnight(2026, 3, 7), 0 }, { midnight(2026, 3, 8), 1500 }, { midnight(2026, 3, 9), 300 } }));
    const auto autumn = analytics.dailyTotals(records, 3, at(2026, 11, 2, 23, 59));
    EXPECT_EQ(autumn,
        (std::vector<AnalyticsEngine::DailyTotal> {
            { midnight(2026, 10, 31), 0 }, { midnight(2026, 11, 1), 420 }, { midnight(2026, 11, 2), 480 } }));
}

TEST_F(AnalyticsEngineTest, CurrentStreakWaitsForAnUnfinishedToday)
{
    records = {
        { at(2026, 5, 12, 9), 1800, true }, // falls short
        { at(2026, 5, 13, 9), 4000, true },
        { at(2026, 5, 14, 9), 3000, true },
        { at(2026, 5, 14, 20), 600, false }, // cut-short time still counts toward the goal
    };
    const auto now = at(2026, 5, 15, 10);
    EXPECT_EQ(analytics.currentStreak(records, now, 3600), 2);
    records.emplace_back(at(2026, 5, 15, 9), 3600, true);
    EXPECT_EQ(analytics.currentStreak(records, now, 3600), 3);
    // A day missed entirely ends the streak, however long it was before.
    EXPECT_EQ(analytics.currentStreak(records, at(2026, 5, 17, 10), 3600), 0);
    EXPECT_EQ(analytics.currentStreak(records, at(2026, 5, 16, 23, 59), 3600), 3);
}

TEST_F(AnalyticsEngineTest, SubjectsPoolUntaggedAndEmptyTagsUnderTheUnlabeledName)
{
    records = { { at(2026, 2, 1), 1200, true, "Math" }, { at(2026, 2, 1), 600, true }, { at(2026, 2, 2), 900, true, "" },
        { at(2026, 2, 3), 100, false, "Other" }, { at(2026, 2, 3), 300, false, "Math" } };
    EXPECT_EQ(analytics.bySubject(records, "Other"),
        (std::vector<AnalyticsEngine::SubjectTotal> { { "Other", 1600 }, { "Math", 1500 } }));
    EXPECT_EQ(analytics.bySubject(records, "Unlabeled"),
        (std::vector<AnalyticsEngine::SubjectTotal> { { "Math", 1500 }, { "Unlabeled", 1500 }, { "Other", 100 } }));
}

TEST_F(AnalyticsEngineTest, HourLabelsUseATwelveHourDial)
{
    const std::pair<int, const char*> labels[]
        = { { 0, "12 AM" }, { 12, "12 PM" }, { 23, "11 PM" }, { 24, "12 AM" } };
    for (const auto& [hour, label] : labels)
        EXPECT_EQ(AnalyticsEngine::hourLabel(hour), label) << hour;

    records = { { at(2026, 2, 1, 12, 40), 600, true }, { at(2026, 2, 2, 9, 0), 500, true } };
    EXPECT_EQ(analytics.bestHourLabel(records), "12 PM\u20131 PM");
    records.emplace_back(at(2026, 2, 3, 11, 0), 601, true);
    EXPECT_EQ(analytics.bestHourLabel(records), "11 AM\u201312 PM");

    // On a tie the earlier hour wins.
    records = { { at(2026, 2, 1, 16), 300, true }, { at(2026, 2, 1, 8), 300, true } };
    EXPECT_EQ(analytics.bestHour(records), 8);
}

TEST_F(AnalyticsEngineTest, ATotalOverARangeIncludesBothEnds)
{
    const auto since = at(2026, 2, 1, 9);
    const auto asOf = at(2026, 2, 1, 17);
    records = { { since, 1500, true }, { asOf, 900, false }, { since - 1, 100, true }, { asOf + 0.5, 100, true } };
    EXPECT_EQ(analytics.totalFocus(records, since, asOf), 2400);
}

TEST_F(AnalyticsEngineTest, SummaryComparesWithThePeriodBefore)
{
    // Wednesday 18 March 2026: the week runs from Thursday 12 March, the one before from 5 March.
    const auto asOf = at(2026, 3, 18, 15);
    records = {
        { at(2026, 3, 12, 0, 0), 3600, true },
        { at(2026, 3, 18, 9), 1800, false },
        { at(2026, 3, 18, 16), 999, true }, // after asOf
        { at(2026, 3, 11, 23, 59), 3600, true }, // the previous week's last minute
        { at(2026, 3, 5, 0, 0), 1000, true },
        { at(2026, 3, 4, 23, 59), 5000, true }, // before both
    };
    auto summary = analytics.summary(records, 7, asOf);
    EXPECT_EQ(summary.totalFocus, 5400);
    EXPECT_EQ(summary.sessions, 1);
    EXPECT_EQ(summary.activeDays, 2);
    EXPECT_DOUBLE_EQ(summary.dailyAverage, 5400.0 / 7);
    ASSERT_TRUE(summary.deltaFraction);
    EXPECT_DOUBLE_EQ(*summary.deltaFraction, (5400.0 - 4600) / 4600);

    records = { { at(2026, 3, 13), 1800, true }, { at(2026, 3, 10), 3600, true } };
    EXPECT_DOUBLE_EQ(*analytics.summary(records, 7, asOf).deltaFraction, -0.5);
    records = { { at(2026, 3, 13), 1800, true } };
    EXPECT_FALSE(analytics.summary(records, 7, asOf).deltaFraction);
}
