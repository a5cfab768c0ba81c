#include "VeltraneKit/Time/TimerEngine.h"

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

constexpr Instant kStart = 1'700'000'000;

class TimerEngineTest : public ::testing::Test {
protected:
    std::shared_ptr<TestClock> clock = std::make_shared<TestClock>(kStart);
};

} // namespace

TEST_F(TimerEngineTest, ResetLeavesNothingOfTheRun)
{
    for (auto mode : { TimerMode::countdown, TimerMode::countUp }) {
        TimerEngine timer(mode, clock);
        timer.start(60);
        clock->advance(20);
        timer.pause();
        timer.reset();
        EXPECT_EQ(timer.state(), TimerState::idle);
        EXPECT_EQ(timer.mode(), mode);
        EXPECT_EQ(timer.remaining() + timer.elapsed() + timer.progress() + timer.duration(), 0);
        EXPECT_FALSE(timer.anchoredStartDate() || timer.anchoredEndDate() || timer.refresh());
    }
}

TEST_F(TimerEngineTest, CountdownReportsItsEndExactlyOnceHoweverLate)
{
    TimerEngine timer(TimerMode::countdown, clock);
    timer.start(60);
    clock->advance(15);
    EXPECT_EQ(timer.remaining(), 45);
    EXPECT_EQ(timer.progress(), 0.25);
    EXPECT_FALSE(timer.refresh());

    clock->advance(45 + 3600);
    // Readings before the first refresh are already clamped to the end.
    EXPECT_EQ(timer.remaining(), 0);
    EXPECT_EQ(timer.elapsed(), 60);
    EXPECT_EQ(timer.progress(), 1);
    int reports = 0;
    for (int tick = 0; tick < 5; ++tick)
        reports += timer.refresh() ? 1 : 0;
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(timer.isFinished());
}

TEST_F(TimerEngineTest, PausedTimeDoesNotCount)
{
    TimerEngine timer(TimerMode::countdown, clock);
    timer.start(60);
    clock->advance(20);
    timer.pause();
    clock->advance(600);
    EXPECT_EQ(timer.remaining(), 40);
    EXPECT_FALSE(timer.refresh()); // a paused countdown never ends, however late
    timer.resume();
    clock->advance(39);
    EXPECT_FALSE(timer.refresh());
    clock->advance(1);
    EXPECT_TRUE(timer.refresh());
}

TEST_F(TimerEngineTest, PauseAndResumeOnlyActInTheirStatesAndStartAlwaysBeginsANewRun)
{
    TimerEngine timer(TimerMode::countdown, clock);
    timer.pause();
    timer.resume();
    EXPECT_EQ(timer.state(), TimerState::idle);

    timer.start(60);
    clock->advance(10);
    timer.resume(); // running: no re-anchoring
    clock->advance(50);
    ASSERT_TRUE(timer.refresh());
    timer.pause();
    timer.resume();
    EXPECT_EQ(timer.state(), TimerState::finished);

    timer.start(30); // from finished
    EXPECT_EQ(timer.remaining(), 30);
    clock->advance(5);
    timer.start(20); // from running
    clock->advance(20);
    EXPECT_TRUE(timer.refresh());
    timer.start(10);
    timer.pause();
    timer.start(5); // from paused: running again, nothing frozen left over
    clock->advance(5);
    EXPECT_TRUE(timer.refresh());
}

TEST_F(TimerEngineTest, NeitherAClockSetBackNorAZeroLengthGivesNegativeOrNaNReadings)
{
    for (auto mode : { TimerMode::countdown, TimerMode::countUp }) {
        TimerEngine timer(mode, clock);
        timer.start(60);
        clock->advance(-3600);
        EXPECT_EQ(timer.elapsed(), 0);
        EXPECT_EQ(timer.progress(), 0);
        timer.pause();
        EXPECT_EQ(timer.elapsed(), 0);
    }
    // A countdown of no length (a target already past) ends at once with no progress.
    TimerEngine timer(TimerMode::countdown, clock);
    timer.start(0);
    EXPECT_TRUE(timer.refresh());
    EXPECT_EQ(timer.progress(), 0);
}
