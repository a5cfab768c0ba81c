#include "tests/support/FakeServiceMain.h"

#include <QCoreApplication>

#include <csignal>
#include <sys/prctl.h>

void exitWithParent()
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
}

int serveOnSessionBus(QObject& object, const QString& path, const QString& service,
    QDBusConnection::RegisterOptions options)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return kNoSessionBus;
    bus.registerObject(path, &object, options);
    if (!bus.registerService(service))
        return kServiceNameTaken;
    return QCoreApplication::exec();
}
