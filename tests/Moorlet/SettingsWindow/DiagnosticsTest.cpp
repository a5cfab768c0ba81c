#include "Moorlet/SettingsWindow/Diagnostics.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

TEST(DiagnosticsTest, TheTextSaysWhetherEachServiceAnsweredOrIsStillUnknown)
{
    // Gathered from nothing but the environment, an unknown answer is said to be unknown.
    Diagnostics facts = Diagnostics::gather(QStringLiteral("1.2.3"), nullptr, nullptr, {}, std::nullopt);
    for (const char* line : { "Moorlet 1.2.3\n", "Qt platform: offscreen", "Notifications: not asked",
             "Desktop portal: still asking" })
        EXPECT_TRUE(facts.text().contains(QLatin1String(line))) << line;
    facts.notifications = true;
    facts.portal = false;
    for (const char* line : { "Notifications: answered", "Desktop portal: no answer" })
        EXPECT_TRUE(facts.text().contains(QLatin1String(line))) << line;
}

// On the test's own bus: first no portal, then one that holds the portal's name.
TEST(DiagnosticsTest, ThePortalProbeTellsWhetherThePortalAnswers)
{
    PortalProbe absent;
    ASSERT_TRUE(testsupport::waitUntil([&] { return absent.answered().has_value(); }));
    EXPECT_FALSE(*absent.answered());

    QDBusConnection portal = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-portal"));
    ASSERT_TRUE(portal.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    PortalProbe present;
    ASSERT_TRUE(testsupport::waitUntil([&] { return present.answered().has_value(); }));
    EXPECT_TRUE(*present.answered());
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
}

} // namespace
