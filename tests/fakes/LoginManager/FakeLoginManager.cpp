#include "tests/fakes/LoginManager/FakeLoginManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonDocument>

namespace {

QDBusMessage controlCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
}

void callControl(const QString& method, bool argument)
{
    QDBusMessage call = controlCall(method);
    call << argument;
    QDBusConnection::sessionBus().call(call);
}

} // namespace

FakeLoginManager::FakeLoginManager()
    : m_process(QStringLiteral(MOORLET_FAKE_LOGIN_MANAGER), {}, QStringLiteral("org.freedesktop.login1"))
{
}

void FakeLoginManager::announceSleep(bool sleeping) const
{
    callControl(QStringLiteral("EmitPrepareForSleep"), sleeping);
}

void FakeLoginManager::announceLock(bool locked) const
{
    callControl(QStringLiteral("EmitLock"), locked);
}

QJsonArray FakeLoginManager::activeInhibitors() const
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(controlCall(QStringLiteral("ActiveInhibitors")));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return QJsonDocument::fromJson(reply.arguments().front().toString().toUtf8()).array();
}
