#include "Moorlet/Media/MediaController.h"

#include "VeltraneKit/System/DesktopEntry.h"

#include "tests/Moorlet/PlayerProcess.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace moorlet;
using testsupport::waitUntil;

namespace {

const QString kFakePlayer = QStringLiteral(MOORLET_FAKE_MPRIS_PLAYER);
const QString kMusicService = QStringLiteral("org.mpris.MediaPlayer2.faketunes");
const QString kSpotifyService = QStringLiteral("org.mpris.MediaPlayer2.spotify");

// A blocking call to a fake player's test interface.
QDBusMessage steer(const QString& service, const QString& method, const QVariantList& arguments = {})
{
    auto message = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/moorlet/FakePlayer"), QStringLiteral("org.moorlet.FakePlayer"), method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message);
}

QStringList commandsReceived(const QString& service)
{
    return steer(service, QStringLiteral("Commands")).arguments().value(0).toStringList();
}

QStringList fakeArguments(const QString& service, const QString& identity, const QStringList& tracks,
    const QString& status)
{
    QStringList arguments { QStringLiteral("--bus-name"), service, QStringLiteral("--identity"), identity,
        QStringLiteral("--status"), status };
    for (const QString& track : tracks)
        arguments << QStringLiteral("--track") << track;
    return arguments;
}

class MediaControllerTest : public ::testing::Test {
protected:
    ~MediaControllerTest() override
    {
        // A player the controller started through its desktop entry is no process of ours.
        for (const QString& service : { kMusicService, kSpotifyService })
            if (PlayerProcess::isOnBus(service))
                stopPlayer(service);
    }

    MediaController& controller()
    {
        if (!m_controller)
            m_controller = std::make_unique<MediaController>(QDBusConnection::sessionBus(), PlayerApplications(folders));
        return *m_controller;
    }

    // The player answers to the name of the application it stands for.
    void startPlayer(
        const QString& service, const QStringList& tracks, const QString& status = "Playing")
    {
        const QString identity = service == kSpotifyService ? "Spotify" : "Fake Tunes";
        players.push_back(std::make_unique<PlayerProcess>(
            kFakePlayer, service, fakeArguments(service, identity, tracks, status).mid(2)));
        ASSERT_TRUE(players.back()->isReady());
    }

    void stopPlayer(const QString& service)
    {
        steer(service, QStringLiteral("Quit"));
        ASSERT_TRUE(waitUntil([&] { return !PlayerProcess::isOnBus(service); }));
    }

    void installApplication(const QString& desktopId, const QString& name, const QStringList& command)
    {
        writeFile(QStringLiteral("data/applications/") + desktopId,
            QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n")
                .arg(name, veltrane::DesktopEntry::execValue(command)));
    }

    void writeFile(const QString& relativePath, const QString& text)
    {
        ASSERT_TRUE(veltrane::testing::writeBytes(root.filePath(relativePath), text.toUtf8()));
    }

    bool shows(std::optional<MediaPlayer> player, const QString& title, const QString& artist, bool playing)
    {
        return waitUntil([&] {
            return controller().player() == player && controller().title() == title
                && controller().artist() == artist && controller().isPlaying() == playing;
        });
    }

    testsupport::TemporaryFolder root;
    veltrane::XdgFolders folders { root.filePath(QStringLiteral("config")), {}, root.filePath(QStringLiteral("data")), {}, {} };
    std::vector<std::unique_ptr<PlayerProcess>> players;

private:
    std::unique_ptr<MediaController> m_controller;
};

// While Spotify runs it wins; when it quits, which is noticed without a refresh, the other player
// takes over, showing only what it tells: nothing of Spotify's track or state. When it quits too,
// nothing is shown.
TEST_F(MediaControllerTest, SpotifyWinsWhileItRunsAndTheOtherPlayerTakesOverWhenItQuits)
{
    const struct {
        QStringList tracks;
        QString status, title, artist;
    } rows[] = { { { "Song A|Artist A" }, "Paused", "Song A", "Artist A" }, { {}, {}, {}, {} } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title.toStdString());
        startPlayer(kMusicService, row.tracks, row.status);
        startPlayer(kSpotifyService, { "Hit|Band" });
        controller().refresh();
        ASSERT_TRUE(shows(MediaPlayer::spotify, "Hit", "Band", true));
        stopPlayer(kSpotifyService);
        EXPECT_TRUE(shows(MediaPlayer::music, row.title, row.artist, false));
        stopPlayer(kMusicService);
        EXPECT_TRUE(shows(std::nullopt, {}, {}, false));
    }
}

// The commands reach the player and its answers reach the card, and so do changes the player
// announces itself.
TEST_F(MediaControllerTest, TheCommandsReachThePlayerAndWhatItAnnouncesReachesTheCardUnread)
{
    startPlayer(kMusicService, { "One|First", "Two|Second" }, "Paused");
    controller().refresh();
    ASSERT_TRUE(shows(MediaPlayer::music, "One", "First", false));
    EXPECT_TRUE(controller().connectablePlayers().empty());
    ASSERT_TRUE(waitUntil([&] { return controller().displayName(MediaPlayer::music) == "Fake Tunes"; }));
    EXPECT_EQ(controller().displayName(MediaPlayer::spotify), "Spotify");

    controller().control(MediaController::kNextTrack);
    EXPECT_TRUE(shows(MediaPlayer::music, "Two", "Second", false));
    controller().control(MediaController::kPlayPause);
    EXPECT_TRUE(shows(MediaPlayer::music, "Two", "Second", true));
    controller().control("stop");
    controller().control(MediaController::kPreviousTrack);
    EXPECT_TRUE(shows(MediaPlayer::music, "One", "First", true));
    EXPECT_EQ(commandsReceived(kMusicService), (QStringList { "Next", "PlayPause", "Previous" }));

    steer(kMusicService, "SetTrack", { "Three", "Third" });
    EXPECT_TRUE(shows(MediaPlayer::music, "Three", "Third", true));
    steer(kMusicService, "SetPlaybackStatus", { "Stopped" });
    EXPECT_TRUE(shows(MediaPlayer::music, "Three", "Third", false));
}

TEST_F(MediaControllerTest, WithNoPlayerTheInstalledOnesAreOfferedAndConnectStartsOne)
{
    installApplication("faketunes.desktop", "Fake Tunes App",
        QStringList { kFakePlayer }
            + fakeArguments(kMusicService, "Fake Tunes", { "Opened|Someone" }, "Stopped"));
    writeFile("config/mimeapps.list", "[Default Applications]\naudio/mpeg=faketunes.desktop;\n");
    controller().control(MediaController::kPlayPause);
    controller().connect(MediaPlayer::spotify);
    controller().refresh();
    ASSERT_TRUE(waitUntil([&] { return controller().connectablePlayers() == std::vector { MediaPlayer::music }; }));
    EXPECT_EQ(controller().player(), std::nullopt);
    EXPECT_EQ(controller().displayName(MediaPlayer::music), "Fake Tunes App");

    controller().connect(MediaPlayer::music);
    EXPECT_TRUE(shows(MediaPlayer::music, "Opened", "Someone", false));
    EXPECT_TRUE(controller().connectablePlayers().empty());
    EXPECT_TRUE(waitUntil([&] { return controller().displayName(MediaPlayer::music) == "Fake Tunes"; }));
}

} // namespace
