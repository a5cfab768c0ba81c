#include "VeltraneKit/Desktop/SleepMonitor.h"

#include "tests/fakes/LoginManager/FakeLoginManager.h"
#include "tests/support/TestSupport.h"

#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

using veltrane::SleepMonitor;

namespace {

class SleepMonitorTest : public ::testing::Test {
protected:
    bool waitForLocks(qsizetype count)
    {
        return testsupport::waitUntil([&] { return logind.activeInhibitors().size() == count; });
    }

    // Waits until the monitor itself holds the lock logind handed out, not just logind's answer.
    bool waitForDelay(const SleepMonitor& monitor)
    {
        return testsupport::waitUntil([&] { return monitor.isDelayingSleep(); }) && waitForLocks(1);
    }

    FakeLoginManager logind;
};

// Awake, the monitor holds a delay lock; it announces sleep before letting the lock go, retakes it
// on waking, and lets it go with itself.
TEST_F(SleepMonitorTest, AnnouncesSleepBeforeLettingItsDelayLockGoAndRetakesItOnWake)
{
    ASSERT_TRUE(logind.isReady());
    auto monitor = std::make_unique<SleepMonitor>(QDBusConnection::sessionBus());
    EXPECT_TRUE(monitor->isAvailable());
    ASSERT_TRUE(waitForDelay(*monitor));
    const QJsonObject lock = logind.activeInhibitors().first().toObject();
    for (auto [key, value] : { std::pair { "what", "sleep" }, { "mode", "delay" }, { "who", "Moorlet" } })
        EXPECT_EQ(lock[QLatin1String(key)].toString(), QLatin1String(value)) << key;
    QSignalSpy slept(monitor.get(), &SleepMonitor::willSleep);
    QSignalSpy woke(monitor.get(), &SleepMonitor::didWake);
    qsizetype locksWhileHandlingSleep = -1;
    QObject::connect(monitor.get(), &SleepMonitor::willSleep,
        [&] { locksWhileHandlingSleep = logind.activeInhibitors().size(); });

    for (int cycle = 1; cycle <= 2; ++cycle) {
        SCOPED_TRACE(cycle);
        logind.announceSleep(true);
        ASSERT_TRUE(testsupport::waitUntil([&] { return slept.size() == cycle; }));
        EXPECT_EQ(woke.size(), cycle - 1);
        EXPECT_EQ(locksWhileHandlingSleep, 1) << "the suspend waits for the sleep handlers";
        EXPECT_FALSE(monitor->isDelayingSleep());
        EXPECT_TRUE(waitForLocks(0)) << "then the suspend may go ahead";

        logind.announceSleep(false);
        ASSERT_TRUE(testsupport::waitUntil([&] { return woke.size() == cycle; }));
        EXPECT_EQ(slept.size(), cycle);
        EXPECT_TRUE(waitForDelay(*monitor));
    }
    monitor.reset();
    EXPECT_TRUE(waitForLocks(0));
}

} // namespace
