#include "VeltraneKit/System/DesktopEntry.h"

#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace veltrane;
using testsupport::waitUntil;

namespace {

std::optional<QStringList> commandOf(const QString& text, const QString& path = QStringLiteral("/apps/x.desktop"))
{
    const auto entry = DesktopEntry::parse(text, path);
    return entry ? entry->command() : std::nullopt;
}

QString entryWithExec(const QString& exec)
{
    return QStringLiteral("[Desktop Entry]\nName=Player\nIcon=player-icon\nExec=") + exec + QLatin1Char('\n');
}

TEST(DesktopEntryTest, ReadsOnlyTheMainGroup)
{
    const auto entry = DesktopEntry::parse(QStringLiteral("# comment\n"
                                                          "[Desktop Entry]\r\n"
                                                          "Name = Player\r\n"
                                                          "[Desktop Action play]\n"
                                                          "Exec=other\n"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name(), QStringLiteral("Player"));
    EXPECT_EQ(entry->value(QStringLiteral("Exec")), std::nullopt);
    EXPECT_FALSE(DesktopEntry::parse(QStringLiteral("[Other]\nName=x\n")));
}

TEST(DesktopEntryTest, ExecIsUnquotedAndItsFieldCodesExpandedForALaunchWithoutFiles)
{
    EXPECT_EQ(commandOf(entryWithExec(QStringLiteral("player --new %U"))), (QStringList { "player", "--new" }));
    EXPECT_EQ(commandOf(entryWithExec(QStringLiteral("\"/opt/My Player/run\"  %f --name=%c %i %k 100%%"))),
        (QStringList { "/opt/My Player/run", "--name=Player", "--icon", "player-icon", "/apps/x.desktop", "100%" }));
    // Inside quotes a backslash protects " ` $ and itself; in the file each backslash is doubled.
    EXPECT_EQ(commandOf(entryWithExec(QStringLiteral("sh -c \"echo \\\\\"hi\\\\\" \\\\$HOME \\\\\\\\n\" \"\""))),
        (QStringList { "sh", "-c", "echo \"hi\" $HOME \\n", QString() }));
    EXPECT_EQ(commandOf(entryWithExec(QStringLiteral("player \"unterminated"))), std::nullopt);
}

TEST(DesktopEntryTest, WrittenExecValuesReadBackToTheSameCommand)
{
    const QStringList command { "/opt/a b/run", "plain", QString(), "it's; $(x) `y` \"z\" \\w 50% #\ttab", " lead" };
    EXPECT_EQ(commandOf(entryWithExec(DesktopEntry::execValue(command))), command);
}

class DesktopEntryFilesTest : public ::testing::Test {
protected:
    void write(const QString& relativePath, const QString& text)
    {
        ASSERT_TRUE(veltrane::testing::writeBytes(QDir(root.path()).filePath(relativePath), text.toUtf8(), true));
    }

    QStringList dataFolders() const
    {
        return { root.filePath(QStringLiteral("user")), root.filePath(QStringLiteral("system")) };
    }

    testsupport::TemporaryFolder root;
};

TEST_F(DesktopEntryFilesTest, TheUsersEntryShadowsTheSystemsAndHiddenOrMissingProgramsAreNotInstalled)
{
    write(QStringLiteral("system/applications/player.desktop"), entryWithExec(QStringLiteral("player")));
    write(QStringLiteral("system/applications/tried.desktop"),
        entryWithExec(QStringLiteral("tried")) + QStringLiteral("TryExec=no-such-program-here\n"));

    auto player = DesktopEntry::find(QStringLiteral("player.desktop"), dataFolders());
    ASSERT_TRUE(player);
    EXPECT_TRUE(player->isInstalled());
    EXPECT_FALSE(DesktopEntry::find(QStringLiteral("tried.desktop"), dataFolders())->isInstalled());
    EXPECT_FALSE(DesktopEntry::find(QStringLiteral("absent.desktop"), dataFolders()));
    EXPECT_FALSE(DesktopEntry::find(QStringLiteral("../system/applications/player.desktop"), dataFolders()));

    write(QStringLiteral("user/applications/player.desktop"),
        entryWithExec(QStringLiteral("player")) + QStringLiteral("Hidden=true\n"));
    player = DesktopEntry::find(QStringLiteral("player.desktop"), dataFolders());
    ASSERT_TRUE(player);
    EXPECT_FALSE(player->isInstalled());
}

TEST_F(DesktopEntryFilesTest, LaunchingPassesEachArgumentLiterallyWithoutAShellAndAsksForNoFocus)
{
    const veltrane::testing::ScopedEnvironment startupId("DESKTOP_STARTUP_ID", "moorlet-1_TIME42");
    const veltrane::testing::ScopedEnvironment activationToken("XDG_ACTIVATION_TOKEN", "token");
    const QString log = root.filePath(QStringLiteral("args.log"));
    write(QStringLiteral("bin/print args"),
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\" >> '%1'; done\n"
                       "echo \"${DESKTOP_STARTUP_ID-no id}, ${XDG_ACTIVATION_TOKEN-no token}\" >> '%1'\necho done >> '%1'\n")
            .arg(log));
    const QStringList arguments { "a;b", "$(echo no)", "`x`", "two words" };
    const auto entry = DesktopEntry::parse(entryWithExec(DesktopEntry::execValue(
        QStringList { root.filePath(QStringLiteral("bin/print args")) } + arguments)));
    ASSERT_TRUE(entry);
    ASSERT_TRUE(entry->launchDetached());

    const auto lines = [&] { return veltrane::testing::readText(log).split(QLatin1Char('\n')); };
    ASSERT_TRUE(waitUntil([&] { return lines().contains(QStringLiteral("done")); }));
    EXPECT_EQ(lines(), (QStringList { "[a;b]", "[$(echo no)]", "[`x`]", "[two words]", "no id, no token", "done", QString() }));
    EXPECT_FALSE(DesktopEntry::parse(entryWithExec(QStringLiteral("%f")))->launchDetached());
}

} // namespace
