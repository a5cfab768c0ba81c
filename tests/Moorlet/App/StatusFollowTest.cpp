// `moorlet --status --follow` as a status bar runs it: the built program follows a running
// instance served from this test, on a private session bus, whose clock the test moves on.

#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/App/SessionStatus.h"
#include "Moorlet/App/SingleInstance.h"
#include "Moorlet/App/StatusFeed.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

class StatusFollowTest : public ::testing::Test {
protected:
    StatusFollowTest()
    {
        service.onStatus = [this] { return SessionStatus::line(*scene.controller); };
        QObject::connect(&feed, &StatusFeed::lineChanged, &service, &InstanceService::StatusChanged);
        EXPECT_EQ(SingleInstance::claim(QDBusConnection::sessionBus(), service), SingleInstance::Claim::primary);
        QObject::connect(&follower, &QProcess::readyReadStandardOutput, [this] { received += follower.readAllStandardOutput(); });
        follower.start(QStringLiteral(MOORLET_PROGRAM), { QStringLiteral("--status"), QStringLiteral("--follow") });
    }

    ~StatusFollowTest() override
    {
        follower.kill();
        follower.waitForFinished();
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(InstanceService::kObjectPath));
    }

    // Moves time on half a second at a time, as the ticker fires, letting each change travel.
    void run(int halfSeconds)
    {
        for (int i = 0; i < halfSeconds; ++i) {
            scene.run(0.5);
            testsupport::processEvents(std::chrono::milliseconds(20));
        }
    }

    // Waits for the next line and returns the value of `key` in it.
    QJsonValue next(const char* key)
    {
        testsupport::waitUntil([&] { return received.contains('\n'); });
        const auto end = received.indexOf('\n');
        const auto line = QJsonDocument::fromJson(received.left(end)).object();
        received.remove(0, end + 1);
        return line.value(QLatin1String(key));
    }

    WidgetScene scene;
    StatusFeed feed { *scene.controller };
    InstanceService service;
    QProcess follower;
    QByteArray received;
};

} // namespace

TEST_F(StatusFollowTest, PrintsAtOnceThenEverySecondWhileRunningNeverWhileStillAndEndsWhenMoorletQuits)
{
    EXPECT_EQ(next("phase"), QStringLiteral("idle"));
    SessionCommands::toggle(*scene.controller);
    EXPECT_EQ(next("running"), true);
    run(6);
    const auto first = next("displayTime");
    next("displayTime");
    EXPECT_NE(next("displayTime"), first) << "three seconds, three lines";

    // Paused, then idle: nothing comes between those lines and the next start's.
    SessionCommands::toggle(*scene.controller);
    EXPECT_EQ(next("paused"), true);
    run(6);
    SessionCommands::reset(*scene.controller);
    EXPECT_EQ(next("phase"), QStringLiteral("idle"));
    run(6);
    SessionCommands::toggle(*scene.controller);
    EXPECT_EQ(next("phase"), QStringLiteral("focusing"));
    testsupport::processEvents();
    EXPECT_TRUE(received.isEmpty()) << received.toStdString();

    QDBusConnection::sessionBus().interface()->unregisterService(QString::fromLatin1(InstanceService::kServiceName));
    ASSERT_TRUE(testsupport::waitUntil([&] { return follower.state() == QProcess::NotRunning; }));
    EXPECT_EQ(follower.exitStatus() == QProcess::NormalExit ? follower.exitCode() : -1, 0);
}
