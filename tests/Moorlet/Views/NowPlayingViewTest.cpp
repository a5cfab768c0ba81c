#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "tests/Moorlet/PlayerProcess.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace moorlet;
using Kind = CardTarget::Kind;
using testsupport::waitUntil;

namespace {

const QString kFakePlayer = QStringLiteral(MOORLET_FAKE_MPRIS_PLAYER);
const QString kMusicService = QStringLiteral("org.mpris.MediaPlayer2.faketunes");

// The card on a private session bus with Spotify installed (a desktop entry) but not running.
class NowPlayingViewTest : public ::testing::Test {
protected:
    NowPlayingViewTest()
    {
        testfiles::writeFile(applications.filePath(QStringLiteral("share/applications/spotify.desktop")),
            "[Desktop Entry]\nType=Application\nName=Spotify\nExec=true\n");
        scene = std::make_unique<WidgetScene>(WidgetScene::Options { {}, {}, applications.path(), {} });
        root = &scene->makeRoot();
        root->show();
    }

    void startPlayer()
    {
        player.emplace(kFakePlayer, kMusicService,
            QStringList { QStringLiteral("--identity"), QStringLiteral("Fake Tunes"), QStringLiteral("--track"),
                QStringLiteral("One|First"), QStringLiteral("--track"), QStringLiteral("Two|Second"),
                QStringLiteral("--status"), QStringLiteral("Playing") });
        ASSERT_TRUE(player->isReady());
    }

    void click(const CardTarget& target) { viewprobe::click(*root, root->cardTargetRect(target).center()); }

    MediaController& media() { return *scene->media; }

    testsupport::TemporaryFolder applications;
    std::unique_ptr<WidgetScene> scene;
    WidgetRootView* root = nullptr;
    std::optional<PlayerProcess> player;
};

} // namespace

TEST_F(NowPlayingViewTest, AnInstalledPlayerIsOfferedThenARunningOneIsFollowedAndControlled)
{
    media().refresh();
    ASSERT_TRUE(waitUntil([&] { return !media().connectablePlayers().empty(); }));
    scene->expand();
    scene->fitPanel();
    scene->settle();
    EXPECT_TRUE(root->card().layout().rect(CardRow::nowPlaying));
    EXPECT_TRUE(root->card().nowPlaying().isPolling());
    const auto offer = root->card().hitTest(root->card().targetRect({ Kind::openPlayer, 0 }).center());
    EXPECT_EQ(offer, (CardTarget { Kind::openPlayer, 0 }));

    startPlayer();
    ASSERT_TRUE(waitUntil([&] { return media().player() && media().title() == "One"; }));
    EXPECT_EQ(root->card().hitTest(root->card().targetRect({ Kind::openPlayer, 0 }).center()), std::nullopt);
    EXPECT_TRUE(media().isPlaying());

    click({ Kind::playPause });
    EXPECT_TRUE(waitUntil([&] { return !media().isPlaying(); }));
    click({ Kind::nextTrack });
    EXPECT_TRUE(waitUntil([&] { return media().title() == "Two" && media().artist() == "Second"; }));
    click({ Kind::previousTrack });
    EXPECT_TRUE(waitUntil([&] { return media().title() == "One"; }));

    // The player quits: the row offers the installed players again.
    player->stop();
    EXPECT_TRUE(waitUntil([&] { return !media().player() && !media().connectablePlayers().empty(); }));
}
