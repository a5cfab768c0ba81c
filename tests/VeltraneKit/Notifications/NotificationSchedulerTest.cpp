#include "VeltraneKit/Notifications/NotificationScheduler.h"

#include "tests/fakes/NotificationServer/FakeNotificationServer.h"
#include "tests/support/TestSupport.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>


using namespace std::chrono_literals;
using veltrane::Instant;
using veltrane::NotificationScheduler;
using veltrane::TestClock;
using Ids = std::vector<std::string>;

namespace {

const QString kNotify = QStringLiteral("Notify");

Instant localInstant(int year, int month, int day, int hour, int minute, int second = 0)
{
    return static_cast<Instant>(
        QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime).toSecsSinceEpoch());
}

class NotificationSchedulerTest : public ::testing::Test {
protected:
    std::unique_ptr<NotificationScheduler> makeScheduler()
    {
        return std::make_unique<NotificationScheduler>(clock, storePath, sender);
    }

    QList<QJsonObject> postedAfterSync()
    {
        server.sync();
        return server.calls(kNotify);
    }

    testsupport::TemporaryFolder folder;
    FakeNotificationServer server { folder.filePath(QStringLiteral("calls.jsonl")) };
    std::shared_ptr<TestClock> clock = std::make_shared<TestClock>(localInstant(2026, 3, 14, 8, 59, 30));
    // A folder that does not exist yet: the scheduler creates it on the first save.
    QString storePath = folder.filePath(QStringLiteral("data/scheduled-notifications.json"));
    const NotificationScheduler::Sender sender { QStringLiteral("Timer"), QStringLiteral("timer-icon"),
        QStringLiteral("org.example.Timer") };
};

TEST_F(NotificationSchedulerTest, NotifyPostsEachNoticeWithTheDefaultSoundOnceTheServerAnswers)
{
    ASSERT_TRUE(server.isReady());
    auto scheduler = makeScheduler();
    ASSERT_TRUE(scheduler->isAvailable());
    EXPECT_FALSE(scheduler->authorized());
    scheduler->requestAuthorizationIfPossible();
    EXPECT_TRUE(testsupport::waitUntil([&] { return scheduler->authorized(); }));

    scheduler->notify("Focus complete", "Time for a short break.");
    scheduler->notify("Focus complete", "Time for a short break.");

    ASSERT_TRUE(server.waitForCalls(kNotify, 2));
    const auto posted = server.calls(kNotify);
    const QJsonObject& call = posted.front();
    for (auto [key, value] : { std::pair { "app_name", "Timer" }, { "app_icon", "timer-icon" },
             { "summary", "Focus complete" }, { "body", "Time for a short break." } })
        EXPECT_EQ(call[QLatin1String(key)].toString(), QLatin1String(value)) << key;
    EXPECT_EQ(call["hints"]["sound-name"].toString(), QStringLiteral("message-new-instant"));
    EXPECT_EQ(call["hints"]["desktop-entry"].toString(), QStringLiteral("org.example.Timer"));
    // Identical notices are separate notifications, neither replacing the other.
    ASSERT_EQ(posted.size(), 2);
    EXPECT_EQ(posted[0]["replaces_id"].toInt() + posted[1]["replaces_id"].toInt(), 0);
    // Immediate notices never touch the scheduled-notification file.
    EXPECT_FALSE(QFile::exists(storePath));
}

TEST_F(NotificationSchedulerTest, ScheduledNotificationFiresAtItsMinuteWithSecondsDropped)
{
    auto scheduler = makeScheduler();
    scheduler->schedule("exam-far", localInstant(2026, 4, 1, 9, 0), "Exam tomorrow", "Physics");
    // Far requests wait in steps of at most a minute.
    EXPECT_EQ(scheduler->armedInterval(), std::optional(NotificationScheduler::kLongestWait));
    scheduler->cancel("exam-far");
    scheduler->schedule("exam-1", localInstant(2026, 3, 14, 9, 0, 45), "Exam tomorrow", "Chemistry");
    EXPECT_EQ(scheduler->pendingIdentifiers(), Ids { "exam-1" });
    // 08:59:30 now, due at 09:00:00.
    EXPECT_EQ(scheduler->armedInterval(), std::optional(30'000ms));

    clock->set(localInstant(2026, 3, 14, 8, 59, 59));
    scheduler->fireDue();
    EXPECT_TRUE(postedAfterSync().isEmpty());
    EXPECT_EQ(scheduler->armedInterval(), std::optional(1'000ms));

    clock->set(localInstant(2026, 3, 14, 9, 0, 0));
    scheduler->fireDue();
    ASSERT_TRUE(server.waitForCalls(kNotify, 1));
    const QJsonObject call = server.calls(kNotify).front();
    EXPECT_EQ(call["summary"].toString() + call["body"].toString(), QStringLiteral("Exam tomorrowChemistry"));
    EXPECT_TRUE(scheduler->pendingIdentifiers().empty());
    EXPECT_EQ(scheduler->armedInterval(), std::nullopt);

    clock->advance(3600);
    scheduler->fireDue();
    EXPECT_EQ(postedAfterSync().size(), 1) << "posted once only";

    // A request in the current minute is due at once: the scheduler's own timer posts it.
    scheduler->schedule("exam-now", clock->now() + 45, "Exam tomorrow", "Biology");
    EXPECT_EQ(scheduler->armedInterval(), std::optional(0ms));
    ASSERT_TRUE(server.waitForCalls(kNotify, 2));
    EXPECT_EQ(server.calls(kNotify).back()["body"].toString(), QStringLiteral("Biology"));
    EXPECT_TRUE(scheduler->pendingIdentifiers().empty());
}

TEST_F(NotificationSchedulerTest, PastDatesAreIgnoredAndAPendingIdIsReplaced)
{
    auto scheduler = makeScheduler();
    scheduler->schedule("past", clock->now() - 1, "Late", "");
    scheduler->schedule("now", clock->now(), "Now", "");
    EXPECT_TRUE(scheduler->pendingIdentifiers().empty());
    EXPECT_FALSE(QFile::exists(storePath));

    scheduler->schedule("exam-1", localInstant(2026, 3, 14, 9, 0), "Old", "old");
    scheduler->schedule("exam-2", localInstant(2026, 3, 14, 9, 30), "Other", "other");
    scheduler->schedule("exam-1", localInstant(2026, 3, 14, 10, 0), "New", "new");
    EXPECT_EQ(scheduler->pendingIdentifiers(), (Ids { "exam-2", "exam-1" }));
    for (int minute : { 45, 60 }) {
        clock->set(localInstant(2026, 3, 14, 9, 0) + minute * 60);
        scheduler->fireDue();
    }
    ASSERT_TRUE(server.waitForCalls(kNotify, 2));
    const auto posted = postedAfterSync();
    ASSERT_EQ(posted.size(), 2);
    EXPECT_EQ(posted[0]["summary"].toString() + posted[1]["summary"].toString(), QStringLiteral("OtherNew"));
}

TEST_F(NotificationSchedulerTest, CancelledRequestsNeverFireAndPendingOnesSurviveARestart)
{
    auto scheduler = makeScheduler();
    scheduler->schedule("exam-1", localInstant(2026, 3, 14, 9, 0), "Exam tomorrow", "Chemistry");
    scheduler->schedule("exam-2", localInstant(2026, 3, 14, 9, 0), "Exam tomorrow", "Physics");
    scheduler->cancel("exam-1");
    EXPECT_EQ(scheduler->pendingIdentifiers(), Ids { "exam-2" });
    scheduler.reset();

    auto relaunched = makeScheduler();
    EXPECT_EQ(relaunched->pendingIdentifiers(), Ids { "exam-2" }) << "the cancellation was saved";
    EXPECT_EQ(relaunched->armedInterval(), std::optional(30'000ms));
    EXPECT_TRUE(postedAfterSync().isEmpty());

    clock->set(localInstant(2026, 3, 14, 9, 1));
    relaunched->fireDue();
    ASSERT_TRUE(server.waitForCalls(kNotify, 1));
    EXPECT_EQ(postedAfterSync().front()["body"].toString(), QStringLiteral("Physics"));
    EXPECT_EQ(postedAfterSync().size(), 1);
}

TEST_F(NotificationSchedulerTest, AMissedRequestIsDeliveredOnceAtLaunchOnItsOwnDayAndDroppedAfterIt)
{
    for (const Instant launch : { localInstant(2026, 3, 14, 23, 59, 59), localInstant(2026, 3, 15, 0, 0, 0) }) {
        storePath = folder.filePath(QStringLiteral("data/%1.json").arg(launch));
        clock->set(localInstant(2026, 3, 14, 8, 59, 30));
        makeScheduler()->schedule("exam-1", localInstant(2026, 3, 14, 9, 0), "Exam tomorrow", "Chemistry");
        clock->set(launch);
        EXPECT_TRUE(makeScheduler()->pendingIdentifiers().empty());
        EXPECT_TRUE(makeScheduler()->pendingIdentifiers().empty()) << "the delivery or drop was saved";
        ASSERT_TRUE(server.waitForCalls(kNotify, 1));
        EXPECT_EQ(postedAfterSync().size(), 1) << "delivered once, and on its own day only";
    }
}

TEST(NotificationSchedulerMarkupTest, TheBodyIsEscapedOnlyForServersThatReadMarkup)
{
    using Markup = FakeNotificationServer::Markup;
    for (const auto& [markup, body] : { std::pair { Markup::plain, "a <b> & c" }, { Markup::body, "a &lt;b&gt; &amp; c" } }) {
        testsupport::TemporaryFolder folder;
        FakeNotificationServer server(folder.filePath(QStringLiteral("calls.jsonl")), markup);
        NotificationScheduler scheduler(std::make_shared<TestClock>(0), folder.filePath(QStringLiteral("s.json")));
        // Before the server has told its capabilities, and after.
        for (int count = 1; count <= 2; ++count) {
            scheduler.notify("Q&A", "a <b> & c");
            ASSERT_TRUE(server.waitForCalls(kNotify, count));
        }
        for (const auto& call : server.calls(kNotify))
            EXPECT_EQ(call["summary"].toString() + ' ' + call["body"].toString(), QStringLiteral("Q&A ") + QLatin1String(body));
    }
}

} // namespace
