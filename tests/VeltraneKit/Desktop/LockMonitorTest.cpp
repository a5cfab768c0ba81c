#include "VeltraneKit/Desktop/LockMonitor.h"

#include "tests/VeltraneKit/Desktop/FakeScreenSaver.h"
#include "tests/fakes/LoginManager/FakeLoginManager.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using veltrane::LockMonitor;

TEST(LockMonitorTest, EitherSourceLocksAndUnlocksOnceWhenBothReportTheSameLock)
{
    FakeLoginManager logind;
    FakeScreenSaver screenSaver;
    ASSERT_TRUE(logind.isReady() && screenSaver.isRegistered());
    LockMonitor monitor(QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    ASSERT_TRUE(testsupport::waitUntil([&] { return !monitor.sessionPath().isEmpty(); }));
    QSignalSpy locked(&monitor, &LockMonitor::locked);
    QSignalSpy unlocked(&monitor, &LockMonitor::unlocked);

    const std::function<void(bool)> sources[] = {
        [&](bool on) { logind.announceLock(on); },
        [&](bool on) { screenSaver.setActive(on); },
    };
    for (int cycle = 1; cycle <= 2; ++cycle) {
        SCOPED_TRACE(cycle);
        sources[cycle - 1](true);
        ASSERT_TRUE(testsupport::waitUntil([&] { return locked.size() == cycle; }));
        EXPECT_TRUE(monitor.isLocked());
        sources[2 - cycle](true); // the other source reports the same lock
        sources[cycle - 1](false);
        ASSERT_TRUE(testsupport::waitUntil([&] { return unlocked.size() == cycle; }));
        sources[2 - cycle](false);
        testsupport::processEvents();
        EXPECT_EQ(locked.size(), cycle);
        EXPECT_EQ(unlocked.size(), cycle);
        EXPECT_FALSE(monitor.isLocked());
    }
}
