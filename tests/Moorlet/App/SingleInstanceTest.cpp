// The hand-over between two starts of the program, over a private session bus. The running
// instance serves on this test's main connection; the later start is played by another
// connection on another thread, since a blocking call to our own thread would wait for itself.

#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/SingleInstance.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>

#include <gtest/gtest.h>

#include <future>

using namespace moorlet;
using Status = SingleInstance::Reply::Status;

namespace {

// With `answer` false the running instance's thread stays busy: nothing runs its event loop while
// the request waits.
SingleInstance::Reply sendFromAnotherStart(
    AppCommand command, int timeoutMs = SingleInstance::kReplyTimeoutMs, bool answer = true)
{
    auto reply = std::async(std::launch::async, [command, timeoutMs] {
        const auto name = QStringLiteral("later-start");
        SingleInstance::Reply result;
        {
            auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
            result = SingleInstance::send(bus, command, timeoutMs);
        }
        QDBusConnection::disconnectFromBus(name);
        return result;
    });
    // The running instance answers from this thread's event loop.
    if (answer) {
        testsupport::waitUntil([&] { return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            std::chrono::milliseconds(timeoutMs + 5000));
    }
    return reply.get();
}

class SingleInstanceTest : public ::testing::Test {
protected:
    ~SingleInstanceTest() override
    {
        auto bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(InstanceService::kObjectPath));
        bus.interface()->unregisterService(QString::fromLatin1(InstanceService::kServiceName));
    }

    InstanceService running;
};

} // namespace

TEST_F(SingleInstanceTest, AnInstanceStillStartingRefusesInsteadOfDroppingTheRequest)
{
    ASSERT_EQ(SingleInstance::claim(QDBusConnection::sessionBus(), running), SingleInstance::Claim::primary);
    const auto reply = sendFromAnotherStart(AppCommand::toggle);
    EXPECT_EQ(reply.status, Status::failed);
    EXPECT_TRUE(reply.text.contains(QStringLiteral("starting")));
}

TEST_F(SingleInstanceTest, AnInstanceThatHangsIsReportedAsFailedAfterTheTimeout)
{
    ASSERT_EQ(SingleInstance::claim(QDBusConnection::sessionBus(), running), SingleInstance::Claim::primary);
    EXPECT_EQ(sendFromAnotherStart(AppCommand::toggle, 300, false).status, Status::failed);
    testsupport::processEvents();
}

TEST_F(SingleInstanceTest, WithoutARunningInstanceRequestsReportNotRunningAndTheNameIsFreeAgainAfterOne)
{
    EXPECT_EQ(sendFromAnotherStart(AppCommand::status).status, Status::notRunning);
    auto bus = QDBusConnection::sessionBus();
    ASSERT_EQ(SingleInstance::claim(bus, running), SingleInstance::Claim::primary);
    bus.unregisterObject(QString::fromLatin1(InstanceService::kObjectPath));
    bus.interface()->unregisterService(QString::fromLatin1(InstanceService::kServiceName));
    EXPECT_EQ(sendFromAnotherStart(AppCommand::toggle).status, Status::notRunning);

    InstanceService next;
    EXPECT_EQ(SingleInstance::claim(bus, next), SingleInstance::Claim::primary);
    bus.unregisterObject(QString::fromLatin1(InstanceService::kObjectPath));
}
