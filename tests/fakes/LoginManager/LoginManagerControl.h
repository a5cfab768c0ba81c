#pragma once

#include "tests/fakes/LoginManager/LoginManagerService.h"

#include <QDBusAbstractAdaptor>

// The test's handle on the fake logind, a second interface on the same object:
// EmitPrepareForSleep(b) announces sleep (true) or wake (false); ActiveInhibitors() returns the
// held locks as a JSON array text.
class LoginManagerControl : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.moorlet.test.LoginManagerControl")

public:
    explicit LoginManagerControl(LoginManagerService* service);

public slots:
    void EmitPrepareForSleep(bool start);
    QString ActiveInhibitors() const;

private:
    LoginManagerService* m_service;
};
