// A tray for tests: owns org.kde.StatusNotifierWatcher on the session bus and reports a host, so
// that programs register their tray items over D-Bus. It exits with the process that started it.

#include "tests/support/FakeServiceMain.h"
#include "tests/fakes/StatusNotifierWatcher/StatusNotifierWatcherService.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    exitWithParent();
    QCoreApplication app(argc, argv);
    StatusNotifierWatcherService watcher;
    return serveOnSessionBus(watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.kde.StatusNotifierWatcher"),
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties);
}
