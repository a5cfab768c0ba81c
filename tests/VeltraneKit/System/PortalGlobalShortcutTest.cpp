// The hot key through the desktop portal, against a test portal on a private session bus.

#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/PortalGlobalShortcut.h"

#include "tests/VeltraneKit/System/FakeShortcutsPortal.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

constexpr auto kOptionCommand = carbon::kModifierOption | carbon::kModifierCommand;

class PortalGlobalShortcutTest : public ::testing::Test {
protected:
    PortalGlobalShortcutTest()
    {
        hotKey.onPressed = [this] { ++presses; };
        hotKey.onStateChanged = [this] { ++changes; };
    }

    // Registers Alt+Super+Space and waits for the portal's answer.
    HotKeyRegistration bind()
    {
        EXPECT_EQ(hotKey.registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::pending);
        testsupport::waitUntil([this] { return hotKey.state() != HotKeyRegistration::pending; });
        return hotKey.state();
    }

    FakeShortcutsPortal portal;
    PortalGlobalShortcut hotKey { { QStringLiteral("org.example.Timer"), QStringLiteral("toggle"), QStringLiteral("Start or pause") } };
    int presses = 0;
    int changes = 0;
};

} // namespace

TEST_F(PortalGlobalShortcutTest, RegistersTheAppThenBindsThePreferredTriggerAndFollowsPressesAndChanges)
{
    ASSERT_TRUE(portal.isRegistered());
    ASSERT_EQ(bind(), HotKeyRegistration::registered);
    EXPECT_EQ(portal.calls, QStringList({ "Register org.example.Timer", "CreateSession", "BindShortcuts toggle ALT+LOGO+space" }));
    EXPECT_EQ(hotKey.triggerDescription(), "ALT+LOGO+space");
    EXPECT_EQ(changes, 1);

    // Another shortcut's activation is not ours; the count proves only ours arrived.
    portal.activate(QStringLiteral("other"));
    portal.activate(QStringLiteral("toggle"));
    EXPECT_TRUE(testsupport::waitUntil([this] { return presses == 1; }));
    portal.changeTrigger(QStringLiteral("toggle"), QStringLiteral("Ctrl+Alt+F"));
    EXPECT_TRUE(testsupport::waitUntil([this] { return hotKey.triggerDescription() == "Ctrl+Alt+F"; }));
    EXPECT_EQ(changes, 2);

    // Released, the session closes and presses stop.
    hotKey.unregister();
    ASSERT_TRUE(testsupport::waitUntil([this] { return portal.calls.endsWith(QStringLiteral("Close")); }));
    portal.activate(QStringLiteral("toggle"));

    // A binding the user refuses is reported and closes its session.
    portal.calls.clear();
    portal.refuse = true;
    const int before = changes;
    EXPECT_EQ(bind(), HotKeyRegistration::refused);
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(testsupport::waitUntil([this] { return portal.calls.endsWith(QStringLiteral("Close")); }));
}

TEST(PortalGlobalShortcutWithoutPortalTest, IsUnavailableAndRefusesKeysWithoutAName)
{
    PortalGlobalShortcut hotKey { { QStringLiteral("org.example.Timer"), QStringLiteral("toggle"), QString() } };
    EXPECT_EQ(hotKey.registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::pending);
    EXPECT_TRUE(testsupport::waitUntil([&] { return hotKey.state() == HotKeyRegistration::unavailable; }));
    // The fn key is no key of its own.
    EXPECT_EQ(hotKey.registerHotKey(0x3F, 0), HotKeyRegistration::unsupportedKey);
}
