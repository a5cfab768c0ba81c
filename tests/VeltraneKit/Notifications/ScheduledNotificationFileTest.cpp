#include "VeltraneKit/Notifications/ScheduledNotificationFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

using namespace veltrane;

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

TEST(ScheduledNotificationFileTest, APipeInTheFilesPlaceIsKeptAsideWithoutBlocking)
{
    testsupport::TemporaryFolder folder;
    ScheduledNotificationFile file(folder.filePath(QStringLiteral("scheduled-notifications.json")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file.path()).constData(), 0600), 0);
    EXPECT_TRUE(file.load().empty());
    EXPECT_TRUE(QFileInfo(file.path() + QStringLiteral(".corrupt")).exists());
    ASSERT_TRUE(file.save(kExam));
    EXPECT_EQ(ScheduledNotificationFile(file.path()).load(), kExam);
}
