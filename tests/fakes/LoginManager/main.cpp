// A logind for tests: owns org.freedesktop.login1 on the session bus (the real one lives on the
// system bus, which tests cannot own), hands out inhibitor locks and announces sleep and wake when
// a test asks (see LoginManagerService). It exits with the process that started it. Its one
// session locks and unlocks when a test asks.

#include "tests/fakes/LoginManager/LoginManagerService.h"
#include "tests/support/FakeServiceMain.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    exitWithParent();
    QCoreApplication app(argc, argv);
    LoginSessionService session;
    LoginManagerService service(session);
    QDBusConnection::sessionBus().registerObject(QLatin1String(LoginSessionService::kPath), &session,
        QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties);
    return serveOnSessionBus(service, QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1"),
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
}
