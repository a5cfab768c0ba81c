#include "VeltraneKit/Time/ManualOneShotScheduler.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

TEST(ManualOneShotSchedulerTest, RunsWorkWhenItFallsDueInOrderIncludingWorkScheduledByWork)
{
    ManualOneShotScheduler scheduler;
    std::string log;
    scheduler.schedule(0.45, [&] { log += "b"; });
    scheduler.schedule(0.2, [&] {
        log += "a";
        scheduler.schedule(0.1, [&] { log += "d"; });
        scheduler.schedule(5, [&] { log += "e"; });
    });
    scheduler.schedule(0.45, [&] { log += "c"; });
    for (auto [step, expected] : { std::pair { 0.1, "" }, { 0.1, "a" }, { 0.25, "adbc" } }) {
        scheduler.advance(step);
        EXPECT_EQ(log, expected);
    }
    EXPECT_EQ(scheduler.queuedCount(), 1u);
}

TEST(ManualOneShotSchedulerTest, CancelledWorkNeverRuns)
{
    ManualOneShotScheduler scheduler;
    int runs = 0;
    ScheduledTask task = scheduler.schedule(1, [&] { ++runs; });
    ScheduledTask copy = task;
    EXPECT_TRUE(task.isPending());
    copy.cancel();
    EXPECT_FALSE(task.isPending());
    scheduler.advance(2);
    EXPECT_EQ(runs, 0);

    ScheduledTask done = scheduler.schedule(1, [&] { ++runs; });
    scheduler.advance(1);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(done.isPending());
    done.cancel();
    EXPECT_FALSE(ScheduledTask().isPending());
}

TEST(QtOneShotSchedulerTest, RunsOnTheEventLoopUnlessCancelled)
{
    QtOneShotScheduler scheduler;
    std::string log;
    ScheduledTask cancelled = scheduler.schedule(0, [&] { log += "cancelled"; });
    ScheduledTask kept = scheduler.schedule(0.02, [&] { log += "kept"; });
    cancelled.cancel();
    // The earlier timer fires first, so once the later one has run the cancelled one had its turn.
    ASSERT_TRUE(testsupport::waitUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, "kept");
    EXPECT_FALSE(kept.isPending());
}

TEST(QtOneShotSchedulerTest, WorkStillWaitingDiesWithTheScheduler)
{
    bool ran = false;
    bool marker = false;
    QtOneShotScheduler later;
    {
        QtOneShotScheduler scheduler;
        scheduler.schedule(0, [&] { ran = true; });
    }
    later.schedule(0.02, [&] { marker = true; });
    ASSERT_TRUE(testsupport::waitUntil([&] { return marker; }));
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace veltrane
