#include "Moorlet/SettingsWindow/Diagnostics.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

TEST(DiagnosticsTest, TheTextNamesEveryServiceAndWhetherItAnswered)
{
    Diagnostics facts;
    facts.version = QStringLiteral("1.2.3");
    facts.desktop = QStringLiteral("KDE");
    facts.notifications = true;
    facts.mediaPlayer = QStringLiteral("Rhythmbox");
    facts.portal = false;
    EXPECT_EQ(facts.text(),
        QStringLiteral("Moorlet 1.2.3\nDesktop: KDE\nSession type: (unset)\nQt platform: (unset)\n"
                       "Notifications: answered\nTray: not available\nMedia player: Rhythmbox\n"
                       "Login item: not available\nDesktop portal: no answer\n"));

    // Gathered from nothing but the environment, an unknown answer is said to be unknown.
    const QString gathered = Diagnostics::gather(QStringLiteral("1.2.3"), nullptr, nullptr, {}, std::nullopt).text();
    EXPECT_TRUE(gathered.contains(QStringLiteral("Qt platform: offscreen")));
    EXPECT_TRUE(gathered.contains(QStringLiteral("Notifications: not asked")));
    EXPECT_TRUE(gathered.contains(QStringLiteral("Desktop portal: still asking")));
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
