#include "tests/fakes/NotificationServer/RecordingNotificationServer.h"

#include <QDBusArgument>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The reason code NotificationClosed gives for a CloseNotification call.
constexpr uint kClosedByCall = 3;

QJsonObject hintsObject(const QVariantMap& hints)
{
    QJsonObject object;
    for (auto it = hints.begin(); it != hints.end(); ++it) {
        // Structured hints (image data) are only noted, not decoded.
        object.insert(it.key(),
            it.value().metaType() == QMetaType::fromType<QDBusArgument>()
                ? QJsonValue(QStringLiteral("<structure>"))
                : QJsonValue::fromVariant(it.value()));
    }
    return object;
}

} // namespace

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
    record({ { QStringLiteral("method"), QStringLiteral("GetCapabilities") } });
    QStringList capabilities { QStringLiteral("body"), QStringLiteral("sound") };
    if (m_bodyMarkup)
        capabilities.append(QStringLiteral("body-markup"));
    return capabilities;
}

QString RecordingNotificationServer::GetServerInformation(
    QString& vendor, QString& version, QString& specificationVersion)
{
    record({ { QStringLiteral("method"), QStringLiteral("GetServerInformation") } });
    vendor = QStringLiteral("Moorlet tests");
    version = QStringLiteral("1");
    specificationVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notification-server");
}

uint RecordingNotificationServer::Notify(const QString& appName, uint replacesId, const QString& appIcon,
    const QString& summary, const QString& body, const QStringList& actions, const QVariantMap& hints,
    int expireTimeout)
{
    const uint id = replacesId != 0 && m_shown.contains(replacesId) ? replacesId : ++m_lastId;
    m_shown.insert(id);
    record({
        { QStringLiteral("method"), QStringLiteral("Notify") },
        { QStringLiteral("app_name"), appName },
        { QStringLiteral("replaces_id"), static_cast<qint64>(replacesId) },
        { QStringLiteral("app_icon"), appIcon },
        { QStringLiteral("summary"), summary },
        { QStringLiteral("body"), body },
        { QStringLiteral("actions"), QJsonArray::fromStringList(actions) },
        { QStringLiteral("hints"), hintsObject(hints) },
        { QStringLiteral("expire_timeout"), expireTimeout },
        { QStringLiteral("id"), static_cast<qint64>(id) },
    });
    return id;
}

void RecordingNotificationServer::CloseNotification(uint id)
{
    record({ { QStringLiteral("method"), QStringLiteral("CloseNotification") },
        { QStringLiteral("id"), static_cast<qint64>(id) } });
    if (m_shown.remove(id))
        emit NotificationClosed(id, kClosedByCall);
}

void RecordingNotificationServer::record(QJsonObject call)
{
    if (!m_log.isOpen())
        return;
    m_log.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
    m_log.flush();
}
