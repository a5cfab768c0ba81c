#include "tests/support/FakeServiceProcess.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace {

bool ownsName(const QString& name)
{
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr && bus->isServiceRegistered(name).value();
}

} // namespace

FakeServiceProcess::FakeServiceProcess(const QString& program, const QStringList& arguments, QString serviceName)
    : m_serviceName(std::move(serviceName))
    , m_process(std::make_unique<QProcess>())
{
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_process->start(program, arguments);
    // The service may own its name before this process has seen it start, so the start is
    // waited for first: only a started process counts as ready.
    m_process->waitForStarted(static_cast<int>(std::chrono::milliseconds(testsupport::kProgramStartTimeout).count()));
    testsupport::waitUntil(
        [this] { return m_process->state() == QProcess::NotRunning || ownsName(m_serviceName); },
        testsupport::kProgramStartTimeout);
}

FakeServiceProcess::~FakeServiceProcess()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished())
            m_process->kill();
        m_process->waitForFinished();
    }
    testsupport::waitUntil([this] { return !ownsName(m_serviceName); });
}

bool FakeServiceProcess::isReady() const
{
    return m_process->state() == QProcess::Running && ownsName(m_serviceName);
}
