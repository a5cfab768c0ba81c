#include "VeltraneKit/Time/Clock.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(ClockTest, TestClockMovesOnlyWhenToldAndSystemClockReadsTheWallClock)
{
    auto clock = std::make_shared<TestClock>(1'000'000.0);
    ClockPtr held = clock;
    clock->advance(90);
    EXPECT_EQ(held->now(), 1'000'090.0);
    clock->set(5.5);
    EXPECT_EQ(held->now(), 5.5);

    SystemClock system;
    const auto first = system.now();
    EXPECT_GT(first, 1.7e9); // after 2023
    EXPECT_GE(system.now(), first);
}
