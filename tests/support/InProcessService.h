#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>

namespace testsupport {

// A test service living in the test process on a session-bus connection of its own (named
// `name`), so that the code under test reaches it through the bus like any other service. The
// object is exported at `path` and owns `service` while this lives.
class InProcessService {
public:
    InProcessService(const char* name, const char* service, const char* path, QObject* object)
        : InProcessService(name, service, path)
    {
        const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals;
        m_registered = m_connection.registerObject(m_path, object, exported) && own();
    }
    // A virtual object answers for `path` and every path under it.
    InProcessService(const char* name, const char* service, const char* path, QDBusVirtualObject* object)
        : InProcessService(name, service, path)
    {
        m_registered = m_connection.registerVirtualObject(m_path, object, QDBusConnection::SubPath) && own();
    }
    ~InProcessService()
    {
        m_connection.unregisterService(m_service);
        m_connection.unregisterObject(m_path);
        QDBusConnection::disconnectFromBus(m_name);
    }
    InProcessService(const InProcessService&) = delete;
    InProcessService& operator=(const InProcessService&) = delete;

    bool isRegistered() const { return m_registered; }
    QDBusConnection& connection() { return m_connection; }

private:
    InProcessService(const char* name, const char* service, const char* path)
        : m_name(QLatin1String(name))
        , m_service(QLatin1String(service))
        , m_path(QLatin1String(path))
        , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name))
    {
    }
    bool own() { return m_connection.registerService(m_service); }

    QString m_name;
    QString m_service;
    QString m_path;
    QDBusConnection m_connection;
    bool m_registered = false;
};

} // namespace testsupport
