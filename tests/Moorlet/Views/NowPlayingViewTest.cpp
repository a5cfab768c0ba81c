#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/WidgetMetrics.h"
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
    EXPECT_EQ(root->cardRect().height(), 608 + 16 + 16);
    EXPECT_EQ(root->height(), 608 + 32 + 48);
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

TEST_F(NowPlayingViewTest, WithoutAPlayerTheRowShowsTheMusicSymbolAndWrapsALongOffer)
{
    testfiles::writeFile(applications.filePath(QStringLiteral("share/applications/mpv.desktop")),
        "[Desktop Entry]\nType=Application\nName=mpv Media Player\nExec=true\n");
    testfiles::writeFile(applications.filePath(QStringLiteral("config/mimeapps.list")),
        "[Default Applications]\naudio/mpeg=mpv.desktop\n");
    media().refresh();
    ASSERT_TRUE(waitUntil([&] { return media().connectablePlayers().size() == 2; }));
    scene->expand();
    scene->settle();

    // Spotify's offer takes a line, the music player's two, every word shown.
    EXPECT_EQ(NowPlayingView::offerLines(media(), 1).join(QLatin1Char(' ')),
        CardTexts::openPlayerPrompt(QStringLiteral("mpv Media Player")));
    const QRectF card = root->cardRect();
    const QRectF row = root->card().layout().rect(CardRow::nowPlaying)->translated(card.topLeft());
    EXPECT_EQ(row.height(), 3 * NowPlayingView::kOfferLineHeight + NowPlayingView::kOfferGap);
    EXPECT_EQ(card.bottom() - row.bottom(), 24);
    const QRectF offer = root->cardTargetRect({ Kind::openPlayer, 1 });
    EXPECT_EQ(offer.height(), 2 * NowPlayingView::kOfferLineHeight);
    EXPECT_EQ(root->card().hitTest(offer.bottomRight() - card.topLeft() - QPointF(2, 2)), (CardTarget { Kind::openPlayer, 1 }));

    // The music symbol stands at the row's start, in the accent.
    const QRectF symbol(row.left(), row.center().y() - 7, 14, 14);
    EXPECT_LT(viewprobe::closest(root->renderToImage(2), symbol, scene->controller->accent()), 40);
}
