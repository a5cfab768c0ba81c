#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The shared main of the test services: call first thing in main(), before creating the
// application object. Ties the service's life to the process that started it, so a test that
// crashes leaves no service holding a name on the next test's bus.
void exitWithParent();

// Exports `object` at `path` and takes `service` on the session bus, then runs the event loop.
// Returns the loop's exit code, or kNoSessionBus / kServiceNameTaken when the service cannot come
// up, which a test sees as the child's exit code.
int serveOnSessionBus(QObject& object, const QString& path, const QString& service,
    QDBusConnection::RegisterOptions options = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);

constexpr int kNoSessionBus = 2;
constexpr int kServiceNameTaken = 3;
