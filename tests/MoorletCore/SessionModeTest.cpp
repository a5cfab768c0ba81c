#include "MoorletCore/SessionMode.h"
#include "MoorletCore/SessionPhase.h"

#include <gtest/gtest.h>

#include <limits>

using namespace moorlet;

TEST(SessionModeTest, PomodoroIntervalIsClampedToAtLeastOne)
{
    for (const auto& [given, stored] : { std::pair { 0, 1 }, { 1, 1 }, { -3, 1 }, { 2, 2 }, { 7, 7 } }) {
        const PomodoroConfig config(1500, 300, 900, given);
        EXPECT_EQ(config.longBreakInterval, stored) << "given " << given;
        EXPECT_EQ(config.focus, 1500);
        EXPECT_EQ(config.shortBreak, 300);
        EXPECT_EQ(config.longBreak, 900);
    }
    EXPECT_EQ(PomodoroConfig::standard(), PomodoroConfig(1500, 300, 900, 4));
    EXPECT_NE(PomodoroConfig::standard(), PomodoroConfig(1500, 300, 901, 4));
}

TEST(SessionModeTest, FlowmodoroConstructorRepairsDivisorAndMaximum)
{
    EXPECT_EQ(FlowmodoroConfig(0, 60, 1800).divisor, 5);
    EXPECT_EQ(FlowmodoroConfig(-2, 60, 1800).divisor, 5);
    EXPECT_EQ(FlowmodoroConfig(std::numeric_limits<double>::quiet_NaN(), 60, 1800).divisor, 5);
    EXPECT_EQ(FlowmodoroConfig(2.5, 60, 1800).divisor, 2.5);

    const FlowmodoroConfig inverted(5, 120, 60);
    EXPECT_EQ(inverted.minBreak, 120);
    EXPECT_EQ(inverted.maxBreak, 120);

    const FlowmodoroConfig kept(5, 60, 1800);
    EXPECT_EQ(kept, FlowmodoroConfig::standard());
}

TEST(SessionModeTest, EarnedBreakFloorsThenClamps)
{
    const auto config = FlowmodoroConfig::standard();
    EXPECT_EQ(config.earnedBreak(1500), 300);
    EXPECT_EQ(config.earnedBreak(1504), 300);
    EXPECT_EQ(config.earnedBreak(180), 60);
    EXPECT_EQ(config.earnedBreak(10800), 1800);
    EXPECT_EQ(config.earnedBreak(0), 60);
    EXPECT_EQ(config.earnedBreak(9000), 1800);
    EXPECT_EQ(config.earnedBreak(std::numeric_limits<double>::quiet_NaN()), 60);

    // A configuration whose fields were written directly still yields a sane break.
    FlowmodoroConfig written = config;
    written.maxBreak = 30;
    EXPECT_EQ(written.earnedBreak(1500), 30);
}

TEST(SessionModeTest, EqualityComparesCaseAndPayload)
{
    EXPECT_EQ(SessionMode::untilTime(1'700'000'000), SessionMode::untilTime(1'700'000'000));
    EXPECT_NE(SessionMode::untilTime(1'700'000'000), SessionMode::untilTime(1'700'000'001));
    EXPECT_EQ(SessionMode::pomodoro(PomodoroConfig::standard()), SessionMode::pomodoro());
    EXPECT_EQ(SessionMode(), SessionMode::pomodoro());
    EXPECT_NE(SessionMode::pomodoro(), SessionMode::flowmodoro());
    EXPECT_NE(SessionMode::pomodoro(PomodoroConfig(1500, 300, 900, 2)), SessionMode::pomodoro());
    EXPECT_EQ(SessionMode::flowmodoro(FlowmodoroConfig(5, 60, 1800)), SessionMode::flowmodoro());
}

TEST(SessionModeTest, NamesAndPayloadAccessFollowTheCase)
{
    const auto pomodoro = SessionMode::pomodoro(PomodoroConfig(600, 60, 120, 3));
    EXPECT_EQ(pomodoro.name(), "pomodoro");
    EXPECT_EQ(pomodoro.kind(), SessionMode::Kind::pomodoro);
    ASSERT_TRUE(pomodoro.pomodoroConfig());
    EXPECT_EQ(pomodoro.pomodoroConfig()->longBreakInterval, 3);
    EXPECT_FALSE(pomodoro.flowmodoroConfig());
    EXPECT_FALSE(pomodoro.untilTarget());

    const auto flow = SessionMode::flowmodoro();
    EXPECT_EQ(flow.name(), "flowmodoro");
    EXPECT_TRUE(flow.isFlowmodoro());
    EXPECT_FALSE(flow.pomodoroConfig());

    const auto until = SessionMode::untilTime(42);
    EXPECT_EQ(until.name(), "untilTime");
    EXPECT_EQ(until.untilTarget(), 42);
    EXPECT_TRUE(until.isUntilTime());
}

TEST(SessionModeTest, OnlyTheTwoBreaksAreBreaks)
{
    EXPECT_FALSE(isBreak(SessionPhase::idle));
    EXPECT_FALSE(isBreak(SessionPhase::focusing));
    EXPECT_TRUE(isBreak(SessionPhase::shortBreak));
    EXPECT_TRUE(isBreak(SessionPhase::longBreak));
}
