// The application delegate in this process, on a private X display and session bus: its start-up
// sequence, the panel sizes it asks for, sleep and wake from a test logind, and the hot key. The
// whole program is MoorletProgramTest's subject.

#include "Moorlet/App/AppDelegate.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "VeltraneKit/Widget/WidgetCoordinator.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/fakes/LoginManager/FakeLoginManager.h"
#include "tests/Moorlet/PlayerProcess.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace moorlet;
using namespace std::chrono_literals;

namespace {

// with-xvfb.sh's screen, which has no panels: the visible frame is the whole screen.
constexpr double kScreenWidth = 1440;
constexpr double kScreenHeight = 900;

class RecordingHotKey final : public veltrane::HotKeyRegistering {
public:
    veltrane::HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) override
    {
        registered = std::pair { keyCode, modifiers };
        return veltrane::HotKeyRegistration::registered;
    }
    void unregister() override { registered.reset(); }
    bool isRegistered() const override { return registered.has_value(); }

    std::optional<std::pair<std::uint32_t, std::uint32_t>> registered;
};

class AppDelegateTest : public ::testing::Test {
protected:
    // Creates the delegate and runs the start-up sequence.
    void launch()
    {
        ASSERT_TRUE(logind.isReady());
        auto hotKeyDouble = std::make_unique<RecordingHotKey>();
        hotKey = hotKeyDouble.get();
        delegate = std::make_unique<AppDelegate>(AppDelegate::Configuration { .defaults = defaults,
            .dataFolder = folder.stdPath() + "/data", .sleepBus = QDBusConnection::sessionBus(),
            .hotKey = std::move(hotKeyDouble), .clock = clock });
        delegate->applicationDidFinishLaunching();
    }

    veltrane::Rect panelFrame() const { return delegate->coordinator()->panel()->frame(); }

    bool waitForPanelHeight(double height)
    {
        return testsupport::waitUntil([&] { return panelFrame().size.height == height; }, 5s);
    }

    // A click on the collapsed tile, as the panel reports it.
    void clickWidget()
    {
        delegate->coordinator()->onWidgetClicked();
        ASSERT_TRUE(testsupport::waitUntil([&] { return delegate->controller().isExpanded(); }, 5s));
    }

    testsupport::TemporaryFolder folder;
    // The login item is written under the test's own configuration folder.
    const veltrane::testing::ScopedEnvironment configHome { "XDG_CONFIG_HOME", folder.filePath("config").toUtf8() };
    FakeLoginManager logind;
    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(1772892000);
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    RecordingHotKey* hotKey = nullptr;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace

TEST_F(AppDelegateTest, TheTileDocksToTheSideTheSettingNames)
{
    struct Case {
        const char* widgetMode;
        veltrane::Point origin;
    };
    const Case cases[] = {
        // "auto", the default, and anything that names no side dock right.
        { "auto", { kScreenWidth - 168, (kScreenHeight - 168) / 2 } },
        { "sideways", { kScreenWidth - 168, (kScreenHeight - 168) / 2 } },
        { "left", { 0, (kScreenHeight - 168) / 2 } },
        { "top", { (kScreenWidth - 168) / 2, kScreenHeight - 168 } },
    };
    for (const auto& test : cases) {
        defaults = std::make_shared<veltrane::MemoryUserDefaults>();
        defaults->setString("com.veltrane.widgetMode", test.widgetMode);
        launch();
        const auto frame = panelFrame();
        EXPECT_EQ(frame.origin, test.origin) << test.widgetMode;
        EXPECT_EQ(frame.size.width, 168);
        EXPECT_TRUE(delegate->coordinator()->panel()->isVisible());
        delegate.reset();
    }
}

TEST_F(AppDelegateTest, LaunchPreparesTheControllerInTheConfiguredModeAndReappliesTheLoginItem)
{
    defaults->setString("com.veltrane.focus.modeRaw", "flowmodoro");
    defaults->setBoolean("com.veltrane.launchAtLogin", true);
    launch();
    auto& controller = delegate->controller();
    EXPECT_TRUE(controller.engine().mode().isFlowmodoro());
    EXPECT_EQ(controller.phase(), SessionPhase::idle);
    EXPECT_FALSE(controller.isTicking());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("config/autostart/moorlet.desktop"))));
    // Nothing here shows a welcome tour yet, so its flag stays for the tour to set.
    EXPECT_FALSE(delegate->focusSettings().hasCompletedTour());
}

TEST_F(AppDelegateTest, AClickExpandsTheCollapsedTileAndThePanelFollowsTheCard)
{
    launch();
    int expansions = 0;
    const auto wired = delegate->controller().onExpandedChange;
    delegate->controller().onExpandedChange = [&](bool expanded) {
        ++expansions;
        wired(expanded);
    };
    clickWidget();
    EXPECT_TRUE(waitForPanelHeight(568 + 48));
    EXPECT_EQ(panelFrame().size.width, 320);
    // A click while expanded goes to the card, not through this path.
    delegate->coordinator()->onWidgetClicked();
    testsupport::processEvents();
    EXPECT_EQ(expansions, 1);

    // An upcoming deadline adds the exam row while the card is open, in any phase.
    auto& controller = delegate->controller();
    controller.toggle();
    ASSERT_TRUE(delegate->dataStore().addDeadline("Thesis", clock->now() + 3 * 86400).has_value());
    EXPECT_TRUE(waitForPanelHeight(568 + 48 + 54));
    controller.engine().reset();
    controller.stopTicking();
    controller.sync();
    EXPECT_EQ(delegate->expandedHeight(), 568 + 54);

    controller.setExpanded(false);
    EXPECT_TRUE(waitForPanelHeight(168)) << "the panel shrinks back after the collapse delay";
}

// A music player on the bus, for the card's now-playing row.
struct TestPlayer : PlayerProcess {
    TestPlayer()
        : PlayerProcess(QStringLiteral(MOORLET_MPRIS_PLAYER), QStringLiteral("org.mpris.MediaPlayer2.testplayer"),
              { QStringLiteral("--track"), QStringLiteral("Weightless|Marconi Union"), QStringLiteral("--status"),
                  QStringLiteral("Playing") })
    {
    }
};

TEST_F(AppDelegateTest, APlayerAlreadyPlayingWhenTheCardOpensGetsItsRow)
{
    TestPlayer player;
    ASSERT_TRUE(player.isReady());
    launch();
    // The card learns of the player while it opens, before the controller reports it expanded.
    clickWidget();
    EXPECT_TRUE(waitForPanelHeight(568 + 48 + 50)) << "height " << panelFrame().size.height;
}

TEST_F(AppDelegateTest, APlayerThatStartsWhileTheCardIsOpenGetsItsRow)
{
    launch();
    clickWidget();
    ASSERT_TRUE(waitForPanelHeight(568 + 48));
    TestPlayer player;
    ASSERT_TRUE(player.isReady());
    EXPECT_TRUE(waitForPanelHeight(568 + 48 + 50)) << "height " << panelFrame().size.height;
}

TEST_F(AppDelegateTest, SleepPausesARunningBlockAndWakingLeavesItPaused)
{
    launch();
    auto& controller = delegate->controller();
    controller.toggle();
    ASSERT_TRUE(controller.isRunning());

    logind.announceSleep(true);
    ASSERT_TRUE(testsupport::waitUntil([&] { return controller.isPaused(); }, 5s));
    EXPECT_FALSE(controller.isTicking());
    const auto remaining = controller.remaining();

    clock->advance(600);
    logind.announceSleep(false);
    testsupport::processEvents(200ms);
    EXPECT_TRUE(controller.isPaused());
    EXPECT_EQ(controller.remaining(), remaining) << "the time asleep does not count";
}

TEST_F(AppDelegateTest, SleepWhileIdleOrPausedChangesNothing)
{
    launch();
    auto& controller = delegate->controller();
    delegate->handleSleep();
    EXPECT_EQ(controller.phase(), SessionPhase::idle);
    controller.toggle();
    controller.toggle();
    ASSERT_TRUE(controller.isTicking());
    delegate->handleSleep();
    // A paused block keeps its ticker: only a running block is stopped by sleep.
    EXPECT_TRUE(controller.isTicking());
    delegate->handleWake();
    EXPECT_TRUE(controller.isPaused());
}

TEST_F(AppDelegateTest, TheHotKeyFollowsItsSettingAndTogglesFocus)
{
    // With the setting off no hot key is taken at launch.
    defaults->setBoolean("com.veltrane.focus.globalHotKeyEnabled", false);
    launch();
    EXPECT_FALSE(hotKey->isRegistered());
    delegate->focusSettings().setGlobalHotKeyEnabled(true);
    delegate->applyHotKeySetting();
    EXPECT_EQ(hotKey->registered, std::pair(veltrane::carbon::kKeySpace, 2304u)) << "space with command plus option";

    hotKey->onPressed();
    EXPECT_EQ(delegate->controller().phase(), SessionPhase::focusing);
    hotKey->onPressed();
    EXPECT_TRUE(delegate->controller().isPaused());

    delegate->focusSettings().setGlobalHotKeyEnabled(false);
    delegate->applyHotKeySetting();
    EXPECT_FALSE(hotKey->isRegistered());
}

TEST_F(AppDelegateTest, ShowingTheWidgetFromElsewhereOpensTheCard)
{
    launch();
    delegate->coordinator()->hide();
    delegate->showWidget();
    EXPECT_TRUE(delegate->coordinator()->panel()->isVisible());
    EXPECT_TRUE(testsupport::waitUntil([&] { return delegate->controller().isExpanded(); }, 5s));
}
