#include "tests/fakes/LoginManager/LoginManagerControl.h"

#include <QJsonDocument>

LoginManagerControl::LoginManagerControl(LoginManagerService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

void LoginManagerControl::EmitPrepareForSleep(bool start)
{
    m_service->announceSleep(start);
}

QString LoginManagerControl::ActiveInhibitors() const
{
    return QString::fromUtf8(QJsonDocument(m_service->activeInhibitors()).toJson(QJsonDocument::Compact));
}
