#pragma once

#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QJsonArray>
#include <QObject>
#include <QString>

#include <vector>

// The part of logind's manager object (/org/freedesktop/login1) that the program uses:
// GetSessionByPID, which names the one test session (LoginSessionService); Inhibit,
// which hands out the write end of a pipe as the lock, and the PrepareForSleep signal. The fake
// sees a lock released when every copy of that write end is closed.
class LoginManagerService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    using QObject::QObject;

    void announceSleep(bool sleeping);
    // The locks still held: [{"what": …, "who": …, "why": …, "mode": …}, …], oldest first.
    QJsonArray activeInhibitors() const;

public slots:
    // Every process belongs to the one test session.
    QDBusObjectPath GetSessionByPID(uint pid) const;
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why, const QString& mode);

signals:
    void PrepareForSleep(bool start);

private:
    struct Inhibitor {
        QString what;
        QString who;
        QString why;
        QString mode;
        QDBusUnixFileDescriptor readEnd;
    };
    std::vector<Inhibitor> m_inhibitors;
};
