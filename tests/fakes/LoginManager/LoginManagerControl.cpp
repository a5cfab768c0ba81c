#include "tests/fakes/LoginManager/LoginManagerControl.h"

#include <QJsonDocument>

LoginManagerControl::LoginManagerControl(LoginManagerService* service, LoginSessionService* session)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
    , m_session(session)
{
}

void LoginManagerControl::EmitPrepareForSleep(bool start)
{
    m_service->announceSleep(start);
}

void LoginManagerControl::EmitLock(bool locked)
{
    m_session->announceLock(locked);
}

QString LoginManagerControl::ActiveInhibitors() const
{
    return QString::fromUtf8(QJsonDocument(m_service->activeInhibitors()).toJson(QJsonDocument::Compact));
}
