// The whole program, as a person meets it: the built `moorlet` started on a private X display
// and session bus, with a test tray, notification server and logind beside it, its home and XDG
// folders in a temporary folder. The window is found and clicked with xdotool, the tray menu is
// read and clicked over com.canonical.dbusmenu, and the session is read back with
// `moorlet --status`.

#include "Moorlet/App/InstanceService.h"
#include "tests/fakes/LoginManager/FakeLoginManager.h"
#include "tests/fakes/NotificationServer/FakeNotificationServer.h"
#include "tests/fakes/StatusNotifierWatcher/FakeStatusNotifierWatcher.h"
#include "tests/fakes/StatusNotifierWatcher/TrayMenu.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

// The idle card (608) plus the panel margin (48), with no optional row: no player is installed
// in the test's XDG folders, no session is logged and no deadline is set.
constexpr int kIdleExpandedPanelHeight = 656;

using testfiles::Finished;

class MoorletProgramTest : public ::testing::Test {
protected:
    MoorletProgramTest()
        : notifications(folder.filePath(QStringLiteral("notifications.jsonl")))
    {
        environment = QProcessEnvironment::systemEnvironment();
        const auto home = folder.filePath(QStringLiteral("home"));
        const auto runtime = folder.filePath(QStringLiteral("runtime"));
        for (const auto& path : { home, runtime, folder.filePath(QStringLiteral("share")) })
            QDir().mkpath(path);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // XDG_DATA_DIRS holds no music player's desktop entry, so the card has no now-playing row.
        for (const auto& [name, value] : std::initializer_list<std::pair<const char*, QString>> { { "HOME", home },
                 { "XDG_CONFIG_HOME", home + "/.config" }, { "XDG_DATA_HOME", home + "/.local/share" },
                 { "XDG_CACHE_HOME", home + "/.cache" }, { "XDG_RUNTIME_DIR", runtime },
                 { "XDG_DATA_DIRS", folder.filePath(QStringLiteral("share")) }, { "SDL_AUDIODRIVER", "dummy" },
                 { "MOORLET_SLEEP_BUS", "session" } })
            environment.insert(QString::fromLatin1(name), value);
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    ~MoorletProgramTest() override
    {
        if (app && app->state() != QProcess::NotRunning) {
            app->terminate();
            if (!app->waitForFinished(10000)) {
                app->kill();
                app->waitForFinished();
            }
        }
    }

    static QString program() { return QStringLiteral(MOORLET_PROGRAM); }

    static bool instanceIsUp()
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QString::fromLatin1(moorlet::InstanceService::kServiceName));
    }

    // Starts the program and waits for its instance interface and its window. The welcome tour
    // counts as seen, so the widget is the program's one window.
    void launch()
    {
        ASSERT_TRUE(notifications.isReady());
        ASSERT_TRUE(tray.isReady());
        ASSERT_TRUE(logind.isReady());
        ASSERT_TRUE(veltrane::testing::writeBytes(folder.filePath(QStringLiteral("home/.config/Moorlet/defaults.json")),
            R"({"com.veltrane.focus.hasCompletedTour": true})"));
        app = std::make_unique<QProcess>();
        app->setProcessEnvironment(environment);
        app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app->start(program(), {});
        ASSERT_TRUE(app->waitForStarted());
        ASSERT_TRUE(testsupport::waitUntil([] { return instanceIsUp(); }, 20s)) << "the instance never came up";
        ASSERT_TRUE(testsupport::waitUntil([this] { return !windows().isEmpty(); }, 20s)) << "no window was shown";
    }

    Finished moorlet(const QStringList& arguments) const { return testfiles::run(program(), arguments, environment); }

    QJsonObject status() const
    {
        // A request never opens a display, even where Qt is told to use X and none is reachable.
        auto noDisplay = environment;
        noDisplay.remove(QStringLiteral("DISPLAY"));
        noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const auto finished = testfiles::run(program(), { QStringLiteral("--status") }, noDisplay);
        EXPECT_EQ(finished.exitCode, 0) << finished.err.toStdString();
        EXPECT_TRUE(finished.out.endsWith(QLatin1Char('\n')));
        return QJsonDocument::fromJson(finished.out.toUtf8()).object();
    }

    bool waitForStatus(const QString& key, const QJsonValue& value) const
    {
        return testsupport::waitUntil([&] { return status().value(key) == value; }, 10s);
    }

    // The program's visible windows, only those with exactly this title when one is given.
    QStringList windows(const QString& title = {}) const
    {
        // --all: xdotool matches any one of the conditions otherwise.
        QStringList arguments { QStringLiteral("search"), QStringLiteral("--all"),
            QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(app->processId()) };
        if (!title.isEmpty())
            arguments << QStringLiteral("--name") << QLatin1Char('^') + title + QLatin1Char('$');
        return xdotool(arguments).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static QString xdotool(const QStringList& arguments)
    {
        return testfiles::run(QStringLiteral("xdotool"), arguments).out;
    }

    // The one window of the widget, in X's y-down screen coordinates.
    QRect panelGeometry() const
    {
        const auto ids = windows();
        if (ids.size() != 1)
            return {};
        const auto shell = xdotool({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), ids.first() });
        QHash<QString, int> values;
        for (const auto& line : shell.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const auto parts = line.split(QLatin1Char('='));
            if (parts.size() == 2)
                values.insert(parts[0], parts[1].toInt());
        }
        return { values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
            values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")) };
    }

    bool waitForPanel(const std::function<bool(const QRect&)>& predicate) const
    {
        return testsupport::waitUntil([&] { return predicate(panelGeometry()); }, 10s);
    }

    TrayMenu trayMenu() const
    {
        EXPECT_TRUE(tray.waitForItems(1)) << "the program registered no tray item";
        const auto items = tray.items();
        return TrayMenu(items.isEmpty() ? QString() : items.first());
    }

    testsupport::TemporaryFolder folder;
    FakeNotificationServer notifications;
    FakeStatusNotifierWatcher tray;
    FakeLoginManager logind;
    QProcessEnvironment environment;
    std::unique_ptr<QProcess> app;
};

} // namespace

TEST_F(MoorletProgramTest, ASecondStartOpensTheFirstStartsCard)
{
    launch();
    ASSERT_TRUE(waitForPanel([](const QRect& frame) { return frame.width() == 168; }));

    // The second start hands over to the first, which shows its card, and exits.
    const auto second = moorlet({});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(app->state(), QProcess::Running);
    ASSERT_TRUE(waitForPanel([](const QRect& frame) { return frame.width() == 320; }));
    EXPECT_EQ(windows().size(), 1);
    EXPECT_EQ(panelGeometry().height(), kIdleExpandedPanelHeight);

    // Starting focus while expanded keeps the card's height: its controls stay under the pointer.
    ASSERT_EQ(moorlet({ QStringLiteral("--toggle") }).exitCode, 0);
    EXPECT_EQ(panelGeometry().height(), kIdleExpandedPanelHeight);

    // With its audio up (the focus cue played), the program still ends on SIGTERM, as at logout.
    app->terminate();
    EXPECT_TRUE(app->waitForFinished(5000)) << "SIGTERM did not end the program";
}

TEST_F(MoorletProgramTest, TheTrayMenuTheCommandLineAndTheHotKeyDriveOneSession)
{
    launch();
    auto menu = trayMenu();
    ASSERT_TRUE(testsupport::waitUntil([&] { return menu.entry(QStringLiteral("Start focus")).has_value(); }));
    // A build without an update origin and key never offers to update itself.
    EXPECT_FALSE(menu.entry(QStringLiteral("Updates come from the package you installed"))->enabled);
    // A plain click on the icon opens the card.
    ASSERT_TRUE(menu.activate());
    EXPECT_TRUE(waitForPanel([](const QRect& frame) { return frame.width() == 320; }));

    EXPECT_EQ(status().value(QStringLiteral("phase")), QStringLiteral("idle"));

    // The tray menu starts focus.
    ASSERT_TRUE(menu.click(menu.entry(QStringLiteral("Start focus"))->id));
    ASSERT_TRUE(waitForStatus(QStringLiteral("running"), true));
    EXPECT_EQ(status().value(QStringLiteral("phase")), QStringLiteral("focusing"));

    // The command line pauses and resumes.
    ASSERT_EQ(moorlet({ QStringLiteral("--toggle") }).exitCode, 0);
    EXPECT_EQ(status().value(QStringLiteral("paused")), true);
    ASSERT_EQ(moorlet({ QStringLiteral("--toggle") }).exitCode, 0);
    EXPECT_EQ(status().value(QStringLiteral("running")), true);

    // The hot key (⌥⌘Space: Alt+Super+Space) pauses.
    xdotool({ QStringLiteral("key"), QStringLiteral("super+alt+space") });
    EXPECT_TRUE(waitForStatus(QStringLiteral("paused"), true)) << "the hot key did not toggle";

    // Skipping ends the block into a break.
    ASSERT_EQ(moorlet({ QStringLiteral("--skip") }).exitCode, 0);
    EXPECT_EQ(status().value(QStringLiteral("phase")), QStringLiteral("shortBreak"));

    ASSERT_EQ(moorlet({ QStringLiteral("--reset") }).exitCode, 0);
    EXPECT_EQ(status().value(QStringLiteral("phase")), QStringLiteral("idle"));

    // "Insights" and "Settings" open their windows.
    for (const auto& title : { QStringLiteral("Insights"), QStringLiteral("Settings") }) {
        ASSERT_TRUE(menu.click(menu.entry(title)->id));
        const auto opened = [&] { return windows(title).size() == 1; };
        EXPECT_TRUE(testsupport::waitUntil(opened)) << title.toStdString();
    }

    // Quitting from the tray ends the program cleanly.
    ASSERT_TRUE(menu.click(menu.entry(QStringLiteral("Quit Moorlet"))->id));
    ASSERT_TRUE(app->waitForFinished(10000));
    EXPECT_EQ(app->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app->exitCode(), 0);
}

TEST_F(MoorletProgramTest, RequestsWithoutARunningInstanceFailClearlyAndStartNothing)
{
    for (const auto* option : { "--toggle", "--status" }) {
        const auto finished = moorlet({ QString::fromLatin1(option) });
        EXPECT_EQ(finished.exitCode, 1) << option;
        EXPECT_TRUE(finished.err.contains(QStringLiteral("Moorlet is not running"))) << option;
    }
    EXPECT_FALSE(instanceIsUp()) << "a request must not start the application";
    EXPECT_EQ(moorlet({ QStringLiteral("--toggle"), QStringLiteral("--skip") }).exitCode, 2);
}
