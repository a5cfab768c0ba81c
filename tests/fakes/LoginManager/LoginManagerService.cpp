#include "tests/fakes/LoginManager/LoginManagerService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// A pipe's read end reports a hang-up once no write end is open any more.
bool released(const QDBusUnixFileDescriptor& readEnd)
{
    pollfd watched { readEnd.fileDescriptor(), POLLIN, 0 };
    return ::poll(&watched, 1, 0) > 0 && (watched.revents & POLLHUP) != 0;
}

} // namespace

QString LoginManagerService::ActiveInhibitors() const
{
    QJsonArray held;
    for (const auto& inhibitor : m_inhibitors) {
        if (!released(inhibitor.readEnd)) {
            held.append(QJsonObject { { QStringLiteral("what"), inhibitor.what },
                { QStringLiteral("who"), inhibitor.who }, { QStringLiteral("mode"), inhibitor.mode } });
        }
    }
    return QString::fromUtf8(QJsonDocument(held).toJson(QJsonDocument::Compact));
}

QDBusObjectPath LoginManagerService::GetSessionByPID(uint) const
{
    return QDBusObjectPath(QLatin1String(LoginSessionService::kPath));
}

QDBusUnixFileDescriptor LoginManagerService::Inhibit(
    const QString& what, const QString& who, const QString&, const QString& mode)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return {};
    QDBusUnixFileDescriptor readEnd;
    readEnd.giveFileDescriptor(ends[0]);
    QDBusUnixFileDescriptor writeEnd;
    writeEnd.giveFileDescriptor(ends[1]);
    m_inhibitors.push_back({ what, who, mode, readEnd });
    return writeEnd;
}
