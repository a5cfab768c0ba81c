#include "Moorlet/Media/PlayerApplications.h"

#include "tests/Moorlet/TestFiles.h"
#include "tests/support/TestSupport.h"


#include <gtest/gtest.h>

using namespace moorlet;

namespace {

class PlayerApplicationsTest : public ::testing::Test {
protected:
    PlayerApplicationsTest()
    {
        folders.configHome = root.filePath(QStringLiteral("config"));
        folders.configDirs = { root.filePath(QStringLiteral("etc-xdg")) };
        folders.dataHome = root.filePath(QStringLiteral("data"));
        folders.dataDirs = { root.filePath(QStringLiteral("usr-share")) };
        folders.currentDesktops = { QStringLiteral("gnome") };
    }

    void write(const QString& relativePath, const QString& text)
    {
        ASSERT_TRUE(testfiles::writeFile(root.filePath(relativePath), text.toUtf8()));
    }

    void addApplication(const QString& id, const QString& name, const QString& extra = {})
    {
        write(QStringLiteral("usr-share/applications/") + id,
            QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n%3").arg(name, id, extra));
    }

    QString musicName() const
    {
        const auto entry = PlayerApplications(folders).installedEntry(MediaPlayer::music);
        return entry ? entry->name() : QString();
    }

    testsupport::TemporaryFolder root;
    veltrane::XdgFolders folders;
};

TEST_F(PlayerApplicationsTest, SpotifyIsFoundUnderAnyOfItsPackagesIds)
{
    EXPECT_FALSE(PlayerApplications(folders).installedEntry(MediaPlayer::spotify));
    addApplication(QStringLiteral("com.spotify.Client.desktop"), QStringLiteral("Spotify (Flatpak)"));
    const auto entry = PlayerApplications(folders).installedEntry(MediaPlayer::spotify);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name(), QStringLiteral("Spotify (Flatpak)"));
}

TEST_F(PlayerApplicationsTest, TheMusicPlayerIsTheDesktopsDefaultForMusicFilesInSearchOrder)
{
    addApplication(QStringLiteral("cache.desktop"), QStringLiteral("From Cache"));
    addApplication(QStringLiteral("system.desktop"), QStringLiteral("System Default"));
    addApplication(QStringLiteral("gnome.desktop"), QStringLiteral("Gnome Default"));
    addApplication(QStringLiteral("user.desktop"), QStringLiteral("User Default"));
    addApplication(QStringLiteral("spotify.desktop"), QStringLiteral("Spotify"));
    addApplication(QStringLiteral("gone.desktop"), QStringLiteral("Gone"), QStringLiteral("Hidden=true\n"));
    EXPECT_EQ(musicName(), QString());

    write(QStringLiteral("usr-share/applications/mimeinfo.cache"),
        QStringLiteral("[MIME Cache]\naudio/flac=cache.desktop;\n"));
    EXPECT_EQ(musicName(), QStringLiteral("From Cache"));
    write(QStringLiteral("usr-share/applications/mimeapps.list"),
        QStringLiteral("[Default Applications]\naudio/mpeg=system.desktop\n"));
    EXPECT_EQ(musicName(), QStringLiteral("System Default"));
    write(QStringLiteral("etc-xdg/gnome-mimeapps.list"),
        QStringLiteral("[Default Applications]\naudio/ogg=gnome.desktop;\n"));
    EXPECT_EQ(musicName(), QStringLiteral("Gnome Default"));
    // The user's list wins; within it Spotify and entries that are not installed are passed over.
    write(QStringLiteral("config/mimeapps.list"),
        QStringLiteral("[Added Associations]\naudio/mpeg=other.desktop\n"
                       "[Default Applications]\naudio/mpeg=spotify.desktop;gone.desktop;missing.desktop;user.desktop;\n"));
    EXPECT_EQ(musicName(), QStringLiteral("User Default"));
}

} // namespace
