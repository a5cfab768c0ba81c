// The application delegate in this process, on a private X display and session bus: its start-up
// sequence, the panel sizes it asks for, sleep and wake from a test logind, and the hot key. The
// whole program is MoorletProgramTest's subject.

#include "Moorlet/App/AppDelegate.h"
#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/SettingsWindow/SettingsView.h"
#include "Moorlet/SettingsWindow/SettingsWindow.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "Moorlet/Views/WidgetRootView.h"
#include "Moorlet/WelcomeTour/WelcomeTourWindow.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "VeltraneKit/Widget/WidgetCoordinator.h"
#include "tests/VeltraneKit/Desktop/FakeSettingsPortal.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/VeltraneKit/System/FakeShortcutsPortal.h"
#include "tests/fakes/LoginManager/FakeLoginManager.h"
#include "tests/fakes/NotificationServer/FakeNotificationServer.h"
#include "tests/Moorlet/PlayerProcess.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWindow>

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
    // Creates the delegate and runs the start-up sequence; `hotKey` records what it asks of it.
    void launch(std::unique_ptr<veltrane::HotKeyRegistering> realHotKey = nullptr)
    {
        ASSERT_TRUE(logind.isReady());
        auto recording = std::make_unique<RecordingHotKey>();
        hotKey = realHotKey ? nullptr : recording.get();
        delegate = std::make_unique<AppDelegate>(AppDelegate::Configuration { .defaults = defaults,
            .dataFolder = folder.stdPath() + "/data", .sleepBus = QDBusConnection::sessionBus(),
            .hotKey = realHotKey ? std::move(realHotKey) : std::move(recording), .clock = clock });
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
    // No music player installed on the machine offers itself to the card.
    const veltrane::testing::ScopedEnvironment dataDirs { "XDG_DATA_DIRS", folder.filePath("share").toUtf8() };
    FakeLoginManager logind;
    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(1772892000);
    // The welcome tour counts as seen, so no window but the widget's takes the pointer.
    static std::shared_ptr<veltrane::MemoryUserDefaults> seenTour()
    {
        auto seen = std::make_shared<veltrane::MemoryUserDefaults>();
        seen->setBoolean("com.veltrane.focus.hasCompletedTour", true);
        return seen;
    }
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = seenTour();
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
        { "left", { 0, (kScreenHeight - 168) / 2 } },
    };
    for (const auto& test : cases) {
        defaults = seenTour();
        defaults->setString("com.veltrane.widgetMode", test.widgetMode);
        launch();
        const auto frame = panelFrame();
        EXPECT_EQ(frame.origin, test.origin) << test.widgetMode;
        EXPECT_TRUE(delegate->coordinator()->panel()->isVisible());
        delegate.reset();
    }
}

TEST_F(AppDelegateTest, LaunchPreparesTheControllerInTheConfiguredModeAndReappliesTheLoginItem)
{
    defaults->setString("com.veltrane.focus.modeRaw", "flowmodoro");
    defaults->setBoolean("com.veltrane.launchAtLogin", true);
    launch();
    EXPECT_TRUE(delegate->controller().engine().mode().isFlowmodoro());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("config/autostart/moorlet.desktop"))));
}

TEST_F(AppDelegateTest, TheFirstLaunchShowsTheTourOnce)
{
    defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    launch();
    // Set before the tour shows: quitting during the tour never shows it again.
    EXPECT_TRUE(delegate->focusSettings().hasCompletedTour());
    ASSERT_TRUE(testsupport::waitUntil([&] { return delegate->tourWindow() && delegate->tourWindow()->isVisible(); }, 5s));
    QTest::keyClick(delegate->tourWindow(), Qt::Key_Escape);
    EXPECT_FALSE(delegate->tourWindow()->isVisible());

    // A later launch with the flag stored shows no tour.
    delegate.reset();
    launch();
    testsupport::processEvents(100ms);
    EXPECT_EQ(delegate->tourWindow(), nullptr);
}

TEST_F(AppDelegateTest, AClickExpandsTheCollapsedTileAndThePanelFollowsTheCard)
{
    launch();
    // Dragged 40 points past the right edge, the panel opens 12 past it at most: the card inside
    // is shifted by the 28 points between.
    delegate->coordinator()->panel()->setFrameOrigin({ kScreenWidth - 168 + 40, panelFrame().origin.y });
    clickWidget();
    ASSERT_TRUE(waitForPanelHeight(608 + 48));
    EXPECT_EQ(panelFrame().size.width, 320);
    EXPECT_EQ(delegate->controller().clampingOffset(), (veltrane::Size { 28, 0 }));

    // An upcoming deadline adds the exam row while the card is open, in any phase.
    auto& controller = delegate->controller();
    controller.toggle();
    ASSERT_TRUE(delegate->dataStore().addDeadline("Thesis", clock->now() + 3 * 86400).has_value());
    EXPECT_TRUE(waitForPanelHeight(608 + 48 + 54));

    controller.setExpanded(false);
    EXPECT_TRUE(waitForPanelHeight(168)) << "the panel shrinks back after the collapse delay";
}

// A music player already playing gets the card's now-playing row: the card learns of it while it
// opens, before the controller reports it expanded.
TEST_F(AppDelegateTest, APlayingPlayerGetsItsRowWhenTheCardOpens)
{
    const PlayerProcess player(QStringLiteral(MOORLET_MPRIS_PLAYER),
        QStringLiteral("org.mpris.MediaPlayer2.testplayer"),
        QStringList { QStringLiteral("--track"), QStringLiteral("Weightless|Marconi Union"),
            QStringLiteral("--status"), QStringLiteral("Playing") });
    ASSERT_TRUE(player.isReady());
    launch();
    clickWidget();
    EXPECT_TRUE(waitForPanelHeight(608 + 48 + 50)) << "height " << panelFrame().size.height;
}

// Sleep while idle or paused changes nothing.
TEST_F(AppDelegateTest, SleepPausesARunningBlockAndWakingOnANewDayLeavesItPausedWithTodayRolledOver)
{
    launch();
    auto& controller = delegate->controller();
    delegate->handleSleep();
    EXPECT_EQ(controller.phase(), SessionPhase::idle);
    delegate->dataStore().addSession(
        FocusSession { QUuid::createUuid(), clock->now() - 60, 60, std::nullopt, "pomodoro", true, std::nullopt });
    controller.refreshStats(false);
    ASSERT_EQ(controller.focusSecondsToday(), 60);
    controller.toggle();
    ASSERT_TRUE(controller.isRunning());

    logind.announceSleep(true);
    ASSERT_TRUE(testsupport::waitUntil([&] { return controller.isPaused(); }, 5s));
    const auto remaining = controller.remaining();

    clock->advance(86400);
    logind.announceSleep(false);
    EXPECT_TRUE(testsupport::waitUntil([&] { return controller.focusSecondsToday() == 0; }, 5s));
    EXPECT_TRUE(controller.isPaused());
    EXPECT_EQ(controller.remaining(), remaining) << "the time asleep does not count";
    delegate->handleSleep();
    EXPECT_TRUE(controller.isPaused());
    EXPECT_TRUE(controller.isTicking()) << "a paused block keeps its ticker";
}

TEST_F(AppDelegateTest, ALockPausesFocusAtTheLockAndTheUnlockOpensTheCardButBreaksRunOn)
{
    launch();
    auto& controller = delegate->controller();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !delegate->lockMonitor().sessionPath().isEmpty(); }, 5s));
    const auto lockAndUnlock = [&](veltrane::Seconds away) {
        logind.announceLock(true);
        ASSERT_TRUE(testsupport::waitUntil([&] { return delegate->lockMonitor().isLocked(); }, 5s));
        clock->advance(away);
        logind.announceLock(false);
        ASSERT_TRUE(testsupport::waitUntil([&] { return !delegate->lockMonitor().isLocked(); }, 5s));
    };
    // An ambient sound, chosen first so it holds the one device the test's audio driver has.
    auto& ambient = delegate->ambient();
    ambient.toggle(ambient.sounds().front());
    controller.toggle();
    clock->advance(100);
    lockAndUnlock(720);
    EXPECT_TRUE(controller.isPaused());
    EXPECT_EQ(controller.elapsed(), 100) << "paused at the lock";
    EXPECT_EQ(controller.awayNotice(), (FocusController::AwayNotice { FocusController::AwayNotice::Kind::locked, 720 }));
    EXPECT_TRUE(testsupport::waitUntil([&] { return controller.isExpanded(); }, 5s));
    controller.resumeAfterAway();
    EXPECT_TRUE(controller.isRunning() && !controller.awayNotice());

    SessionCommands::skip(controller);
    EXPECT_FALSE(ambient.mixer().isRunning()) << "the ambient sound pauses for the break";
    clock->advance(10);
    lockAndUnlock(60);
    EXPECT_TRUE(controller.isRunning());
    EXPECT_EQ(controller.engine().elapsed(), 70) << "a break away from the screen is the point";
    EXPECT_FALSE(controller.awayNotice());
}

TEST_F(AppDelegateTest, AnUnreadableHistoryIsToldOnceWhenItsFileIsKeptAside)
{
    FakeNotificationServer server(folder.filePath(QStringLiteral("notifications.jsonl")));
    const QDir data(folder.filePath(QStringLiteral("data")));
    ASSERT_TRUE(veltrane::testing::writeBytes(data.filePath(QStringLiteral("sessions.json")), "[{"));
    // Set aside at the first save; the next start reads the new file and says nothing.
    for (int start = 0; start < 2; ++start) {
        launch();
        delegate->dataStore().addSession(
            FocusSession { QUuid::createUuid(), clock->now(), 60, std::nullopt, "pomodoro", true, std::nullopt });
        ASSERT_TRUE(server.waitForCalls(QStringLiteral("Notify"), 1));
        delegate.reset();
    }
    server.sync();
    const auto posted = server.calls(QStringLiteral("Notify"));
    const auto kept = data.entryList({ QStringLiteral("sessions.unreadable-*.json") });
    ASSERT_EQ(posted.size(), 1);
    ASSERT_EQ(kept.size(), 1);
    // The notice names the file kept aside.
    EXPECT_TRUE(posted[0]["body"].toString().contains(data.filePath(kept[0])));
}

TEST_F(AppDelegateTest, TheHotKeyFollowsItsSettingAndTogglesFocus)
{
    // With the setting off no hot key is taken at launch.
    defaults->setBoolean("com.veltrane.focus.globalHotKeyEnabled", false);
    launch();
    EXPECT_FALSE(hotKey->isRegistered());
    // The setting itself is followed, from the settings window or a hand edit of the file.
    delegate->focusSettings().setGlobalHotKeyEnabled(true);
    EXPECT_EQ(hotKey->registered, std::pair(veltrane::carbon::kKeySpace, 2304u)) << "space with command plus option";

    hotKey->onPressed();
    EXPECT_EQ(delegate->controller().phase(), SessionPhase::focusing);
    hotKey->onPressed();
    EXPECT_TRUE(delegate->controller().isPaused());

    delegate->focusSettings().setGlobalHotKeyEnabled(false);
    EXPECT_FALSE(hotKey->isRegistered());
}

TEST_F(AppDelegateTest, ClicksBesideTheTileOrCardReachTheWindowBelow)
{
    launch();
    auto* panel = delegate->coordinator()->panel();
    struct Below : QWidget { int presses = 0; void mousePressEvent(QMouseEvent*) override { ++presses; } } below;
    below.setGeometry(panel->geometry().adjusted(-200, -300, 0, 300));
    below.show();
    panel->orderFront();
    ASSERT_TRUE(testsupport::waitUntil([&] { return below.windowHandle()->isExposed() && panel->windowHandle()->isExposed(); }));
    const auto clickAt = [](QPoint at) {
        QProcess::execute("xdotool", { "mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1" });
    };
    // Docked right, the tile sits 24 points in from the panel's right edge, centred vertically.
    const QPoint tileCentre = panel->geometry().topLeft() + QPoint(168 - 24 - 52, 84);
    clickAt(tileCentre - QPoint(52 + 34, 0));
    ASSERT_TRUE(testsupport::waitUntil([&] { return below.presses == 1; }, 5s));
    clickAt(tileCentre);
    ASSERT_TRUE(waitForPanelHeight(608 + 48));
    clickAt(panel->geometry().topLeft() + QPoint(10, 330));
    EXPECT_TRUE(testsupport::waitUntil([&] { return below.presses == 2; }, 5s)) << "the open card's margin";
}

TEST_F(AppDelegateTest, TheWidgetFollowsTheDesktopsColourSchemeAndMotionWishWhileRunning)
{
    const QString appearance = QStringLiteral("org.freedesktop.appearance");
    FakeSettingsPortal portal(FakeSettingsPortal::Interface::WithReadOne);
    portal.preset(appearance, QStringLiteral("color-scheme"), 1u);
    launch();
    clickWidget();
    ASSERT_TRUE(waitForPanelHeight(608 + 48));
    auto* root = delegate->coordinator()->panel()->findChild<WidgetRootView*>();
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(testsupport::waitUntil([&] { return root->backgroundRect() == root->cardRect(); }, 5s));
    // The idle card's free space under its rows.
    const auto cardLightness = [root] {
        const QPointF empty(root->cardRect().center().x(), root->cardRect().bottom() - 12);
        return viewprobe::pixel(root->renderToImage(), empty).lightness();
    };
    EXPECT_TRUE(testsupport::waitUntil([&] { return cardLightness() < 80; }, 5s));
    portal.change(appearance, QStringLiteral("color-scheme"), 2u);
    EXPECT_TRUE(testsupport::waitUntil([&] { return cardLightness() > 200; }, 5s));

    portal.change(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations"), false);
    ASSERT_TRUE(testsupport::waitUntil([&] { return root->reduceMotion().isOn(); }, 5s));
    delegate->controller().toggle();
    EXPECT_FALSE(root->card().mascot().outgoingSymbol().has_value());
    EXPECT_FALSE(root->card().isRingBreathing());
}

TEST_F(AppDelegateTest, OnWaylandThePortalsShortcutTogglesFocusAndTheSettingsShowItsKeysOrWhyNot)
{
    FakeShortcutsPortal portal;
    portal.chosenTrigger = QStringLiteral("Ctrl+Alt+F");
    defaults->setBoolean("com.veltrane.focus.globalHotKeyEnabled", true);
    launch(AppDelegate::Configuration::portalHotKey());
    delegate->showSettings();
    auto& view = delegate->settingsWindow()->view();
    view.setPane(SettingsPane::focus);
    EXPECT_TRUE(view.layout().row(SettingsControl::hotKeyNote)) << "waiting for the desktop";
    ASSERT_TRUE(testsupport::waitUntil([&] { return delegate->hotKey().isRegistered(); }, 5s));
    EXPECT_FALSE(view.layout().row(SettingsControl::hotKeyNote));
    EXPECT_EQ(view.bindings().valueText(SettingsControl::hotKeyCombination), QStringLiteral("Ctrl+Alt+F"));
    portal.activate(QStringLiteral("toggle-focus"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return delegate->controller().phase() == SessionPhase::focusing; }, 5s));

    // Refused, the row shows the keys asked for and a note says what to do instead.
    portal.refuse = true;
    delegate->focusSettings().setGlobalHotKeyEnabled(false);
    EXPECT_FALSE(view.layout().row(SettingsControl::hotKeyNote));
    delegate->focusSettings().setGlobalHotKeyEnabled(true);
    ASSERT_TRUE(testsupport::waitUntil([&] { return delegate->hotKey().state() == veltrane::HotKeyRegistration::refused; }, 5s));
    EXPECT_TRUE(view.layout().row(SettingsControl::hotKeyNote));
    EXPECT_TRUE(view.bindings().hotKeyNote().contains(QStringLiteral("“moorlet --toggle”")));
    EXPECT_EQ(view.bindings().valueText(SettingsControl::hotKeyCombination), QStringLiteral("Alt + Super + Space"));
}
