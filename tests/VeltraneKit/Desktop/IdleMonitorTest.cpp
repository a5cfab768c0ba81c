#include "VeltraneKit/Desktop/IdleMonitor.h"

#include "tests/VeltraneKit/Desktop/FakeScreenSaver.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

using veltrane::IdleMonitor;
using veltrane::testing::ScopedEnvironment;

TEST(IdleMonitorTest, OnX11InputResetsTheIdleTimeAndWithoutInputItGrows)
{
    IdleMonitor monitor(QDBusConnection::sessionBus());
    ASSERT_EQ(monitor.source(), IdleMonitor::Source::x11);
    for (const char* input : { "mousemove 40 40", "key shift" }) {
        SCOPED_TRACE(input);
        const auto before = *monitor.idleTime();
        // The X server's own clock: nothing to advance, so the growth is waited for.
        ASSERT_TRUE(testsupport::waitUntil([&] { return *monitor.idleTime() >= before + 0.3; }));
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), QString::fromLatin1(input).split(u' ')), 0);
        EXPECT_LT(*monitor.idleTime(), 0.3);
    }
}

TEST(IdleMonitorTest, InAWaylandSessionTheDesktopsIdleServiceAnswersAndWithoutOneTheMonitorIsOff)
{
    const ScopedEnvironment wayland("XDG_SESSION_TYPE", "wayland");
    {
        IdleMonitor none(QDBusConnection::sessionBus());
        EXPECT_TRUE(testsupport::waitUntil([&] { return !none.isAvailable(); }));
        EXPECT_EQ(none.idleTime(), std::nullopt);
    }
    FakeScreenSaver screenSaver;
    ASSERT_TRUE(screenSaver.isRegistered());
    screenSaver.setIdleMilliseconds(90'500);
    IdleMonitor monitor(QDBusConnection::sessionBus());
    ASSERT_TRUE(testsupport::waitUntil([&] { return monitor.source() == IdleMonitor::Source::screenSaver; }));
    EXPECT_TRUE(testsupport::waitUntil([&] { return monitor.idleTime() == 90.5; }));
    screenSaver.setIdleMilliseconds(200);
    EXPECT_TRUE(testsupport::waitUntil([&] { return monitor.idleTime() == 0.2; }));

    // GNOME's service is taken even when it answers last: where both answer, KDE's name may be a
    // stand-in.
    FakeMutterIdleMonitor mutter;
    ASSERT_TRUE(mutter.isRegistered());
    IdleMonitor both(QDBusConnection::sessionBus());
    ASSERT_TRUE(testsupport::waitUntil([&] { return both.source() == IdleMonitor::Source::screenSaver; }));
    ASSERT_TRUE(testsupport::waitUntil([&] { return mutter.answer(5'000); }));
    EXPECT_TRUE(testsupport::waitUntil([&] { return both.source() == IdleMonitor::Source::mutter; }));
    EXPECT_EQ(both.idleTime(), 5.0);
}
