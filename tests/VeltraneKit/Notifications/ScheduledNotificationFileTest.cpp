#include "VeltraneKit/Notifications/ScheduledNotificationFile.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>

using namespace veltrane;
using veltrane::testing::readBytes;
using veltrane::testing::writeBytes;

namespace {

const std::vector<ScheduledNotification> kExam {
    { "exam-1", QDate(2026, 3, 14), QTime(9, 0), "Exam tomorrow", "Chemistry" },
};

} // namespace

TEST(ScheduledNotificationFileTest, AFullDiskFailsTheSaveAndKeepsTheOldFile)
{
    testsupport::TemporaryFolder folder;
    ScheduledNotificationFile file(folder.filePath(QStringLiteral("scheduled-notifications.json")));
    ASSERT_TRUE(file.save(kExam));
    {
        testsupport::FullDisk full;
        EXPECT_FALSE(file.save({ kExam[0], kExam[0] }));
    }
    EXPECT_EQ(ScheduledNotificationFile(file.path()).load(), kExam);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
}

TEST(ScheduledNotificationFileTest, ACorruptFileIsMovedAsideBesideEarlierOnesNotOverwritten)
{
    const QByteArray cases[] = {
        "{\"scheduled\": [", // cut short
        R"({"scheduled":[{"id":"exam-1","at":"tomorrow","title":"","body":""}]})", // a bad entry
    };
    for (const QByteArray& corrupt : cases) {
        SCOPED_TRACE(corrupt.toStdString());
        testsupport::TemporaryFolder folder;
        ScheduledNotificationFile file(folder.filePath(QStringLiteral("scheduled-notifications.json")));
        ASSERT_TRUE(writeBytes(file.path(), corrupt));
        // An earlier corrupt file already sits aside and must survive too.
        ASSERT_TRUE(writeBytes(file.path() + QStringLiteral(".corrupt"), "older"));
        EXPECT_TRUE(file.load().empty());
        ASSERT_TRUE(file.save(kExam));

        EXPECT_EQ(readBytes(file.path() + QStringLiteral(".corrupt")), QByteArray("older"));
        EXPECT_EQ(readBytes(file.path() + QStringLiteral(".corrupt-2")), corrupt);
        // The minute is stored as local time, as older files hold it.
        const QJsonDocument saved = QJsonDocument::fromJson(readBytes(file.path()));
        EXPECT_EQ(saved["scheduled"][0]["at"].toString(), QStringLiteral("2026-03-14T09:00"));
    }
}
