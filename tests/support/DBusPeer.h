#pragma once

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServer>
#include <QEventLoop>

#include <optional>

namespace testsupport {

// Two ends of a private D-Bus connection inside this process, no bus daemon needed: a message
// sent from one end arrives at the other demarshalled from the wire, exactly as a peer's would.
// The receiving end takes the signals of one interface and name.
class DBusPeer : public QObject {
    Q_OBJECT
public:
    DBusPeer(const QString& interfaceName, const QString& signalName)
    {
        m_server.setAnonymousAuthenticationAllowed(true);
        connect(&m_server, &QDBusServer::newConnection, this, [this, interfaceName, signalName](const QDBusConnection& connection) {
            m_listening = connection;
            m_listening->connect(QString(), QString(), interfaceName, signalName, this, SLOT(take(QDBusMessage)));
        });
        m_sending = QDBusConnection::connectToPeer(m_server.address(), QStringLiteral("peer"));
        waitFor([this] { return m_listening.has_value(); });
    }
    ~DBusPeer() override { QDBusConnection::disconnectFromPeer(QStringLiteral("peer")); }

    bool isConnected() const { return m_listening && m_sending->isConnected(); }

    // Sends a signal and returns it as the other end received it, or none if it never came.
    std::optional<QDBusMessage> roundTrip(const QDBusMessage& signal)
    {
        m_received.reset();
        if (!m_sending->send(signal))
            return std::nullopt;
        waitFor([this] { return m_received.has_value(); });
        return m_received;
    }

private slots:
    void take(const QDBusMessage& message) { m_received = message; }

private:
    template <typename Condition> static void waitFor(Condition condition)
    {
        for (int turn = 0; turn < 10'000 && !condition(); ++turn)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }

    QDBusServer m_server { QStringLiteral("unix:tmpdir=/tmp") };
    std::optional<QDBusConnection> m_listening;
    std::optional<QDBusConnection> m_sending;
    std::optional<QDBusMessage> m_received;
};

} // namespace testsupport
