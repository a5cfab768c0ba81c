#include "tests/fakes/NotificationServer/FakeNotificationServer.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QJsonDocument>

FakeNotificationServer::FakeNotificationServer(QString logPath, Markup markup)
    : m_logPath(std::move(logPath))
    , m_process(QStringLiteral(MOORLET_FAKE_NOTIFICATION_SERVER),
          QStringList { QStringLiteral("--log"), m_logPath }
              + (markup == Markup::body ? QStringList { QStringLiteral("--body-markup") } : QStringList()),
          QStringLiteral("org.freedesktop.Notifications"))
{
}

QList<QJsonObject> FakeNotificationServer::calls(const QString& method) const
{
    QList<QJsonObject> result;
    QFile log(m_logPath);
    if (!log.open(QIODevice::ReadOnly))
        return result;
    while (!log.atEnd()) {
        const QJsonObject call = QJsonDocument::fromJson(log.readLine()).object();
        if (method.isEmpty() || call.value(QStringLiteral("method")).toString() == method)
            result.append(call);
    }
    return result;
}

bool FakeNotificationServer::waitForCalls(const QString& method, qsizetype count) const
{
    return testsupport::waitUntil([&] { return calls(method).size() >= count; });
}

void FakeNotificationServer::sync() const
{
    QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("GetServerInformation")));
}
