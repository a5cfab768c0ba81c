#include "tests/fakes/NotificationServer/RecordingNotificationServer.h"

#include <QJsonDocument>

RecordingNotificationServer::RecordingNotificationServer(const QString& logPath, bool bodyMarkup, QObject* parent)
    : QObject(parent)
    , m_log(logPath)
    , m_bodyMarkup(bodyMarkup)
{
    if (!logPath.isEmpty())
        m_log.open(QIODevice::WriteOnly | QIODevice::Append);
}

QStringList RecordingNotificationServer::GetCapabilities()
{
    QStringList capabilities { QStringLiteral("body"), QStringLiteral("sound") };
    if (m_bodyMarkup)
        capabilities.append(QStringLiteral("body-markup"));
    return capabilities;
}

QString RecordingNotificationServer::GetServerInformation(
    QString& vendor, QString& version, QString& specificationVersion)
{
    vendor = QStringLiteral("Moorlet tests");
    version = QStringLiteral("1");
    specificationVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notification-server");
}

uint RecordingNotificationServer::Notify(const QString& appName, uint replacesId, const QString& appIcon,
    const QString& summary, const QString& body, const QStringList&, const QVariantMap& hints,
    int expireTimeout)
{
    const uint id = replacesId != 0 ? replacesId : ++m_lastId;
    record({
        { QStringLiteral("method"), QStringLiteral("Notify") },
        { QStringLiteral("app_name"), appName },
        { QStringLiteral("replaces_id"), static_cast<qint64>(replacesId) },
        { QStringLiteral("app_icon"), appIcon },
        { QStringLiteral("summary"), summary },
        { QStringLiteral("body"), body },
        { QStringLiteral("hints"), QJsonObject::fromVariantMap(hints) },
        { QStringLiteral("expire_timeout"), expireTimeout },
    });
    return id;
}

void RecordingNotificationServer::record(QJsonObject call)
{
    if (!m_log.isOpen())
        return;
    m_log.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
    m_log.flush();
}
