#include "MoorletCore/SessionMode.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace moorlet;

TEST(SessionModeTest, EarnedBreakFloorsThenClampsBetweenMinimumAndMaximum)
{
    const auto config = FlowmodoroConfig::standard();
    for (const auto& [worked, earned] : std::vector<std::pair<double, double>> { { 1500, 300 }, { 1504, 300 },
             { 180, 60 }, { 0, 60 }, { 9000, 1800 }, { 10800, 1800 }, { std::numeric_limits<double>::quiet_NaN(), 60 } })
        EXPECT_EQ(config.earnedBreak(worked), earned) << worked;
    // A maximum below the minimum is raised to it.
    EXPECT_EQ(FlowmodoroConfig(5, 120, 60).maxBreak, 120);
}
