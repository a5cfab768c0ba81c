#include "VeltraneKit/System/DesktopEntry.h"
#include "VeltraneKit/System/LaunchAtLogin.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

using veltrane::testing::readText;
void writeText(const QString& path, const QString& text) { ASSERT_TRUE(veltrane::testing::writeBytes(path, text.toUtf8())); }

class LaunchAtLoginTest : public ::testing::Test {
protected:
    std::optional<QStringList> entryCommand() const
    {
        const auto entry = DesktopEntry::load(location.entryPath);
        return entry ? entry->command() : std::nullopt;
    }

    testsupport::TemporaryFolder config;
    LaunchAtLogin::Location location { config.filePath(QStringLiteral("autostart/moorlet.desktop")),
        QStringLiteral("/opt/Moorlet 1.0/bin/moorlet"), QStringLiteral("Moorlet") };
};

TEST_F(LaunchAtLoginTest, EnablingWritesOneEntryThatStartsThisProgramAndDisablingRemovesIt)
{
    EXPECT_TRUE(LaunchAtLogin::isAvailable(location));
    LaunchAtLogin::set(false, location);
    EXPECT_FALSE(LaunchAtLogin::isEnabled(location));

    LaunchAtLogin::set(true, location);
    EXPECT_TRUE(LaunchAtLogin::isEnabled(location));
    EXPECT_TRUE(readText(location.entryPath).contains(QStringLiteral("\nExec=\"/opt/Moorlet 1.0/bin/moorlet\"\n")));
    EXPECT_EQ(entryCommand(), QStringList { location.programPath });

    // Enabling again leaves the entry alone: a line added since survives.
    writeText(location.entryPath, readText(location.entryPath) + QStringLiteral("# kept\n"));
    LaunchAtLogin::set(true, location);
    EXPECT_TRUE(readText(location.entryPath).endsWith(QStringLiteral("# kept\n")));

    LaunchAtLogin::set(false, location);
    EXPECT_FALSE(QFile::exists(location.entryPath));
    EXPECT_FALSE(LaunchAtLogin::isEnabled(location));
}

TEST_F(LaunchAtLoginTest, SwitchedOffOrStaleEntriesAreRewrittenWhenEnabling)
{
    LaunchAtLogin::set(true, location);
    const QString original = readText(location.entryPath);

    for (const QString& switchedOff : { QStringLiteral("Hidden=true\n"),
             QStringLiteral("X-GNOME-Autostart-enabled=false\n") }) {
        writeText(location.entryPath,
            QString(original).replace(QStringLiteral("X-GNOME-Autostart-enabled=true\n"), switchedOff));
        EXPECT_FALSE(LaunchAtLogin::isEnabled(location));
        LaunchAtLogin::set(true, location);
        EXPECT_TRUE(LaunchAtLogin::isEnabled(location));
    }

    // The application moved: the entry still counts as on, and enabling points it at the new place.
    location.programPath = QStringLiteral("/home/someone/Apps/Moorlet/bin/moorlet");
    EXPECT_TRUE(LaunchAtLogin::isEnabled(location));
    LaunchAtLogin::set(true, location);
    EXPECT_EQ(entryCommand(), QStringList { location.programPath });
}

} // namespace
