#include "tests/fakes/LoginManager/FakeLoginManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonDocument>

namespace {

QDBusMessage callControl(const QString& method, const QVariantList& arguments = {})
{
    auto call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

} // namespace

FakeLoginManager::FakeLoginManager()
    : m_process(QStringLiteral(MOORLET_FAKE_LOGIN_MANAGER), {}, QStringLiteral("org.freedesktop.login1"))
{
}

void FakeLoginManager::announceSleep(bool sleeping) const
{
    callControl(QStringLiteral("EmitPrepareForSleep"), { sleeping });
}

void FakeLoginManager::announceLock(bool locked) const
{
    callControl(QStringLiteral("EmitLock"), { locked });
}

QJsonArray FakeLoginManager::activeInhibitors() const
{
    const QDBusMessage reply = callControl(QStringLiteral("ActiveInhibitors"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return QJsonDocument::fromJson(reply.arguments().front().toString().toUtf8()).array();
}
