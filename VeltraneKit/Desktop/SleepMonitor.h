#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace veltrane {

// Tells the program that the computer is about to sleep and that it woke, from logind's
// org.freedesktop.login1.Manager PrepareForSleep signal.
//
// logind suspends right after announcing sleep unless someone holds a "delay" inhibitor, so the
// monitor takes one: it holds the lock while awake, emits willSleep() and only then lets the lock
// go, and takes a new lock on waking. Handlers of willSleep() must finish their work
// synchronously (pausing a timer does).
//
// Signals arrive on the main thread. On a bus that is not connected the monitor is unavailable
// and never signals.
class SleepMonitor : public QObject {
    Q_OBJECT

public:
    // The system bus in the program; tests pass the session bus of a fake logind.
    explicit SleepMonitor(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    bool isAvailable() const { return m_available; }
    // True while the monitor holds logind's delay lock (awake, and logind granted it).
    bool isDelayingSleep() const { return m_delayLock.isValid(); }

signals:
    void willSleep();
    void didWake();

private slots:
    void handlePrepareForSleep(bool sleeping);

private:
    void takeDelayLock();

    QDBusConnection m_bus;
    bool m_available = false;
    bool m_sleeping = false;
    // Closing the last copy of this descriptor releases the inhibitor.
    QDBusUnixFileDescriptor m_delayLock;
};

} // namespace veltrane
