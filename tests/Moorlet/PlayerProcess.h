#pragma once

#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>

// A fake MPRIS player (tests/fakes/MprisPlayer) on the session bus for as long as the object
// lives, or until stop(): once either has ended a running player, its name is gone from the bus.
class PlayerProcess {
public:
    PlayerProcess(const QString& program, const QString& service, const QStringList& options)
        : m_service(service)
    {
        m_process.start(program, QStringList { QStringLiteral("--bus-name"), service } + options);
        m_ready = m_process.waitForStarted()
            && testsupport::waitUntil([&] { return isOnBus(service); }, testsupport::kProgramStartTimeout);
    }
    ~PlayerProcess() { stop(); }
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    bool isReady() const { return m_ready; }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished();
        testsupport::waitUntil([&] { return !isOnBus(m_service); });
    }

    static bool isOnBus(const QString& service)
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(service);
    }

private:
    QString m_service;
    QProcess m_process;
    bool m_ready = false;
};
