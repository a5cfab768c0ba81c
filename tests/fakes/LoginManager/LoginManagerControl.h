#pragma once

#include "tests/fakes/LoginManager/LoginManagerService.h"
#include "tests/fakes/LoginManager/LoginSessionService.h"

#include <QDBusAbstractAdaptor>

// The test's handle on the fake logind, a second interface on the same object:
// EmitPrepareForSleep(b) announces sleep (true) or wake (false); EmitLock(b) locks (true) or
// unlocks (false) the session; ActiveInhibitors() returns the held locks as a JSON array text.
class LoginManagerControl : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.moorlet.test.LoginManagerControl")

public:
    LoginManagerControl(LoginManagerService* service, LoginSessionService* session);

public slots:
    void EmitPrepareForSleep(bool start);
    void EmitLock(bool locked);
    QString ActiveInhibitors() const;

private:
    LoginManagerService* m_service;
    LoginSessionService* m_session;
};
