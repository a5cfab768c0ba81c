#include "VeltraneKit/Theme/TimeFormat.h"

#include <gtest/gtest.h>

#include <limits>

using veltrane::TimeFormat::clock;

TEST(TimeFormatTest, RoundsToTheNearestSecond)
{
    EXPECT_EQ(clock(59.5), "01:00");
    EXPECT_EQ(clock(59.49), "00:59");
    EXPECT_EQ(clock(3599.4), "59:59");
    EXPECT_EQ(clock(3599.5), "1:00:00");
    EXPECT_EQ(clock(0.4), "00:00");
}

TEST(TimeFormatTest, MinutesBelowAnHourHoursFromThen)
{
    EXPECT_EQ(clock(0), "00:00");
    EXPECT_EQ(clock(307), "05:07");
    EXPECT_EQ(clock(1500), "25:00");
    EXPECT_EQ(clock(3600), "1:00:00");
    EXPECT_EQ(clock(3661), "1:01:01");
    EXPECT_EQ(clock(36000), "10:00:00");
    EXPECT_EQ(clock(360000), "100:00:00");
}

TEST(TimeFormatTest, NonsenseInputShowsZero)
{
    EXPECT_EQ(clock(-5), "00:00");
    EXPECT_EQ(clock(std::numeric_limits<double>::quiet_NaN()), "00:00");
    EXPECT_EQ(clock(std::numeric_limits<double>::infinity()), "00:00");
}
