#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace testsupport {

namespace {

// GoogleTest catches this exception at the test's edge, having already reported the failure.
class FatalFailureThrower final : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (result.fatally_failed())
            throw ::testing::AssertionException(result);
    }
};

} // namespace

void endTestsAtFatalFailures()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new FatalFailureThrower);
}

bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout)
{
    QDeadlineTimer deadline(timeout);
    while (!predicate()) {
        if (deadline.hasExpired())
            return predicate();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void processEvents(std::chrono::milliseconds duration)
{
    QDeadlineTimer deadline(duration);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

TemporaryFolder::TemporaryFolder()
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/moorlet-test-XXXXXX"));
    dir.setAutoRemove(false);
    m_path = dir.path();
}

TemporaryFolder::~TemporaryFolder()
{
    if (!m_path.isEmpty()) {
        QDir dir(m_path);
        // Tests may leave read-only files or folders behind; make them removable first.
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        dir.removeRecursively();
    }
}

QString TemporaryFolder::filePath(const QString& name) const
{
    return QDir(m_path).filePath(name);
}

FullDisk::FullDisk(unsigned long bytes)
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previousLimit = limit.rlim_cur;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FullDisk::~FullDisk()
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_previousLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

QString sourceDir()
{
    return qEnvironmentVariable("MOORLET_SOURCE_DIR", QStringLiteral("."));
}

} // namespace testsupport
