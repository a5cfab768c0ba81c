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

} // namespace

// The card on a private session bus with Spotify installed (a desktop entry) but not running.
TEST(NowPlayingViewTest, AnInstalledPlayerIsOfferedThenARunningOneIsFollowedAndControlled)
{
    testsupport::TemporaryFolder applications;
    testfiles::writeFile(applications.filePath(QStringLiteral("share/applications/spotify.desktop")),
        "[Desktop Entry]\nType=Application\nName=Spotify\nExec=true\n");
    WidgetScene scene(WidgetScene::Options { {}, {}, applications.path(), {} });
    WidgetRootView& root = scene.makeRoot();
    root.show();
    MediaController& media = *scene.media;
    const auto click = [&](const CardTarget& target) {
        viewprobe::click(root, root.cardTargetRect(target).center());
    };

    media.refresh();
    ASSERT_TRUE(waitUntil([&] { return !media.connectablePlayers().empty(); }));
    scene.expand();
    scene.settle();
    EXPECT_TRUE(root.card().layout().rect(CardRow::nowPlaying));
    EXPECT_TRUE(root.card().nowPlaying().isPolling());
    const QPointF offer = root.card().targetRect({ Kind::openPlayer, 0 }).center();
    EXPECT_EQ(root.card().hitTest(offer), (CardTarget { Kind::openPlayer, 0 }));

    PlayerProcess player(kFakePlayer, kMusicService,
        QStringList { QStringLiteral("--identity"), QStringLiteral("Fake Tunes"), QStringLiteral("--track"),
            QStringLiteral("One|First"), QStringLiteral("--track"), QStringLiteral("Two|Second"),
            QStringLiteral("--status"), QStringLiteral("Playing") });
    ASSERT_TRUE(player.isReady());
    ASSERT_TRUE(waitUntil([&] { return media.player() && media.title() == "One"; }));
    EXPECT_EQ(root.card().hitTest(offer), std::nullopt);
    EXPECT_TRUE(media.isPlaying());

    click({ Kind::playPause });
    EXPECT_TRUE(waitUntil([&] { return !media.isPlaying(); }));
    click({ Kind::nextTrack });
    EXPECT_TRUE(waitUntil([&] { return media.title() == "Two" && media.artist() == "Second"; }));
    click({ Kind::previousTrack });
    EXPECT_TRUE(waitUntil([&] { return media.title() == "One"; }));

    // The player quits: the row offers the installed players again.
    player.stop();
    EXPECT_TRUE(waitUntil([&] { return !media.player() && !media.connectablePlayers().empty(); }));
}
