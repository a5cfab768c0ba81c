#include "VeltraneKit/Time/ManualOneShotScheduler.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

TEST(ManualOneShotSchedulerTest, RunsWorkWhenItFallsDueInOrderIncludingWorkScheduledByWorkButNotCancelled)
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
    // Cancelling any copy of a task cancels it.
    ScheduledTask task = scheduler.schedule(0.3, [&] { log += "cancelled"; });
    ScheduledTask(task).cancel();
    EXPECT_FALSE(task.isPending());
    for (auto [step, expected] : { std::pair { 0.1, "" }, { 0.1, "a" }, { 0.25, "adbc" } }) {
        scheduler.advance(step);
        EXPECT_EQ(log, expected);
    }
    EXPECT_EQ(scheduler.queuedCount(), 1u);
}

TEST(QtOneShotSchedulerTest, RunsOnTheEventLoopUnlessCancelledOrItsSchedulerIsGone)
{
    std::string log;
    {
        QtOneShotScheduler gone;
        gone.schedule(0, [&] { log += "gone"; });
    }
    QtOneShotScheduler scheduler;
    ScheduledTask cancelled = scheduler.schedule(0, [&] { log += "cancelled"; });
    ScheduledTask kept = scheduler.schedule(0.02, [&] { log += "kept"; });
    cancelled.cancel();
    // The earlier timers fire first, so once the later one has run the others had their turn.
    ASSERT_TRUE(testsupport::waitUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, "kept");
    EXPECT_FALSE(kept.isPending());
}

} // namespace
} // namespace veltrane
