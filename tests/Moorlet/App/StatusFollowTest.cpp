// `moorlet --status --follow` as a status bar runs it: the built program follows a running
// instance served from this test, on a private session bus, whose controller's time the test
// moves on.

#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/App/SessionStatus.h"
#include "Moorlet/App/SingleInstance.h"
#include "Moorlet/App/StatusFeed.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

struct SilentCues final : veltrane::CuePlayer {
    void play(veltrane::SoundEffect) override { }
};

class StatusFollowTest : public ::testing::Test {
protected:
    StatusFollowTest()
    {
        service.onStatus = [this] { return SessionStatus::line(controller); };
        QObject::connect(&feed, &StatusFeed::lineChanged, &service, &InstanceService::StatusChanged);
        EXPECT_EQ(SingleInstance::claim(QDBusConnection::sessionBus(), service), SingleInstance::Claim::primary);
        follower.start(QStringLiteral(MOORLET_PROGRAM), { QStringLiteral("--status"), QStringLiteral("--follow") });
    }

    ~StatusFollowTest() override
    {
        follower.kill();
        follower.waitForFinished();
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(InstanceService::kObjectPath));
    }

    // Moves time on as the ticker would, every half second.
    void run(veltrane::Seconds seconds)
    {
        for (double passed = 0; passed < seconds; passed += 0.5) {
            clock->advance(0.5);
            if (controller.isTicking())
                controller.tickerFired();
            testsupport::processEvents(std::chrono::milliseconds(20));
        }
    }

    // Waits for `count` more lines and returns them as objects.
    std::vector<QJsonObject> lines(int count)
    {
        testsupport::waitUntil([&] { return received.count('\n') >= count; });
        std::vector<QJsonObject> result;
        for (; count > 0 && received.contains('\n'); --count) {
            const auto end = received.indexOf('\n');
            result.push_back(QJsonDocument::fromJson(received.left(end)).object());
            received.remove(0, end + 1);
        }
        return result;
    }

    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(1772892000);
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    veltrane::SettingsStore settings { defaults };
    FocusSettings focusSettings { defaults };
    LocalDataStore store { std::nullopt, nullptr, clock, veltrane::Calendar::current() };
    FocusController controller { settings, focusSettings, &store,
        { clock, veltrane::Calendar::current(), nullptr, std::make_shared<SilentCues>(), [](const QString&) { },
            std::make_shared<veltrane::ManualOneShotScheduler>() } };
    StatusFeed feed { controller };
    InstanceService service;
    QProcess follower;
    QByteArray received;
};

} // namespace

TEST_F(StatusFollowTest, PrintsAtOnceThenEverySecondWhileRunningNeverWhileStillAndEndsWhenMoorletQuits)
{
    QObject::connect(&follower, &QProcess::readyReadStandardOutput, [this] { received += follower.readAllStandardOutput(); });
    EXPECT_EQ(lines(1).at(0)[QStringLiteral("phase")], QStringLiteral("idle"));

    SessionCommands::toggle(controller);
    EXPECT_EQ(lines(1).at(0)[QStringLiteral("running")], true);
    run(3);
    const auto ticks = lines(3);
    ASSERT_EQ(ticks.size(), 3U);
    EXPECT_NE(ticks[0][QStringLiteral("displayTime")], ticks[2][QStringLiteral("displayTime")]);

    // Paused, then idle: nothing until the next start, whose line comes next.
    SessionCommands::toggle(controller);
    EXPECT_EQ(lines(1).at(0)[QStringLiteral("paused")], true);
    run(3);
    SessionCommands::reset(controller);
    EXPECT_EQ(lines(1).at(0)[QStringLiteral("phase")], QStringLiteral("idle"));
    run(3);
    SessionCommands::toggle(controller);
    EXPECT_EQ(lines(1).at(0)[QStringLiteral("phase")], QStringLiteral("focusing"));
    testsupport::processEvents();
    EXPECT_TRUE(received.isEmpty()) << received.toStdString();

    QDBusConnection::sessionBus().interface()->unregisterService(QString::fromLatin1(InstanceService::kServiceName));
    ASSERT_TRUE(testsupport::waitUntil([&] { return follower.state() == QProcess::NotRunning; }));
    EXPECT_EQ(follower.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(follower.exitCode(), 0);
}
