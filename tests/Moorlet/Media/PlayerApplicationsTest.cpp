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
        folders.configHome = root.filePath("config");
        folders.configDirs = { root.filePath("etc-xdg") };
        folders.dataHome = root.filePath("data");
        folders.dataDirs = { root.filePath("usr-share") };
        folders.currentDesktops = { "gnome" };
    }

    void write(const QString& relativePath, const QString& text)
    {
        ASSERT_TRUE(veltrane::testing::writeBytes(root.filePath(relativePath), text.toUtf8()));
    }

    void addApplication(const QString& id, const QString& name, const QString& extra = {})
    {
        write("usr-share/applications/" + id,
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
    addApplication("com.spotify.Client.desktop", "Spotify (Flatpak)");
    const auto entry = PlayerApplications(folders).installedEntry(MediaPlayer::spotify);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name(), "Spotify (Flatpak)");
}

TEST_F(PlayerApplicationsTest, TheMusicPlayerIsTheDesktopsDefaultForMusicFilesInSearchOrder)
{
    addApplication("cache.desktop", "From Cache");
    addApplication("gnome.desktop", "Gnome Default");
    addApplication("user.desktop", "User Default");
    addApplication("spotify.desktop", "Spotify");
    addApplication("gone.desktop", "Gone", "Hidden=true\n");
    EXPECT_EQ(musicName(), QString());

    write("usr-share/applications/mimeinfo.cache", "[MIME Cache]\naudio/flac=cache.desktop;\n");
    EXPECT_EQ(musicName(), "From Cache");
    write("etc-xdg/gnome-mimeapps.list", "[Default Applications]\naudio/ogg=gnome.desktop;\n");
    EXPECT_EQ(musicName(), "Gnome Default");
    // The user's list wins; within it Spotify and entries that are not installed are passed over.
    write("config/mimeapps.list",
        QStringLiteral("[Added Associations]\naudio/mpeg=other.desktop\n"
                       "[Default Applications]\naudio/mpeg=spotify.desktop;gone.desktop;missing.desktop;user.desktop;\n"));
    EXPECT_EQ(musicName(), "User Default");
}

} // namespace
