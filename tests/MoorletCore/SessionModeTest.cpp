#include "MoorletCore/SessionMode.h"
#include "MoorletCore/SessionPhase.h"

#include <gtest/gtest.h>

#include <limits>

using namespace moorlet;

TEST(SessionModeTest, ConfigurationsRepairValuesThatCannotWork)
{
    for (const auto& [given, stored] : { std::pair { 0, 1 }, { 1, 1 }, { -3, 1 }, { 2, 2 }, { 7, 7 } })
        EXPECT_EQ(PomodoroConfig(1500, 300, 900, given).longBreakInterval, stored) << "given " << given;

    for (const double divisor : { 0.0, -2.0, std::numeric_limits<double>::quiet_NaN() })
        EXPECT_EQ(FlowmodoroConfig(divisor, 60, 1800).divisor, 5) << divisor;
    EXPECT_EQ(FlowmodoroConfig(2.5, 60, 1800).divisor, 2.5);
    const FlowmodoroConfig inverted(5, 120, 60);
    EXPECT_EQ(inverted.minBreak, 120);
    EXPECT_EQ(inverted.maxBreak, 120);
}

TEST(SessionModeTest, EarnedBreakFloorsThenClamps)
{
    const auto config = FlowmodoroConfig::standard();
    for (const auto& [worked, earned] : std::vector<std::pair<double, double>> { { 1500, 300 }, { 1504, 300 },
             { 180, 60 }, { 0, 60 }, { 9000, 1800 }, { 10800, 1800 }, { std::numeric_limits<double>::quiet_NaN(), 60 } })
        EXPECT_EQ(config.earnedBreak(worked), earned) << worked;

    // A configuration whose fields were written directly still yields a sane break.
    FlowmodoroConfig written = config;
    written.maxBreak = 30;
    EXPECT_EQ(written.earnedBreak(1500), 30);
}

TEST(SessionModeTest, EqualityComparesCaseAndPayloadAndOnlyTheCaseHasAPayload)
{
    EXPECT_EQ(SessionMode(), SessionMode::pomodoro(PomodoroConfig(1500, 300, 900, 4)));
    EXPECT_NE(SessionMode::pomodoro(PomodoroConfig(1500, 300, 901, 4)), SessionMode::pomodoro());
    EXPECT_NE(SessionMode::pomodoro(), SessionMode::flowmodoro());
    EXPECT_NE(SessionMode::untilTime(1'700'000'000), SessionMode::untilTime(1'700'000'001));
    EXPECT_EQ(SessionMode::untilTime(42).untilTarget(), 42);
    EXPECT_FALSE(SessionMode::flowmodoro().pomodoroConfig() || SessionMode::pomodoro().untilTarget());
    EXPECT_FALSE(SessionMode::pomodoro().flowmodoroConfig());
}
