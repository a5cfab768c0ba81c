#include "VeltraneKit/Theme/TimeFormat.h"

#include <gtest/gtest.h>

#include <limits>

using veltrane::TimeFormat::clock;

TEST(TimeFormatTest, MinutesBelowAnHourHoursFromThenRoundedToTheNearestSecond)
{
    const std::pair<double, const char*> cases[] = {
        { 0, "00:00" }, { 0.4, "00:00" }, { 307, "05:07" }, { 59.49, "00:59" }, { 59.5, "01:00" },
        { 3599.4, "59:59" }, { 3599.5, "1:00:00" }, { 3661, "1:01:01" }, { 360000, "100:00:00" },
        // Nonsense shows zero.
        { -5, "00:00" }, { std::numeric_limits<double>::quiet_NaN(), "00:00" }, { std::numeric_limits<double>::infinity(), "00:00" },
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(clock(seconds), text) << seconds;
}
