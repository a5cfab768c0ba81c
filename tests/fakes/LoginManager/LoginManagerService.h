#pragma once

#include "tests/fakes/LoginManager/LoginSessionService.h"

#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

#include <vector>

// The part of logind's manager object (/org/freedesktop/login1) that the program uses:
// GetSessionByPID, which names the one test session (LoginSessionService); Inhibit,
// which hands out the write end of a pipe as the lock, and the PrepareForSleep signal. The fake
// sees a lock released when every copy of that write end is closed.
// Tests steer it through three more methods on the same interface: EmitPrepareForSleep(b)
// announces sleep (true) or wake (false); EmitLock(b) locks (true) or unlocks (false) the session;
// ActiveInhibitors() returns the locks still held as a JSON array text, oldest first.
class LoginManagerService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit LoginManagerService(LoginSessionService& session)
        : m_session(session)
    {
    }

public slots:
    void EmitPrepareForSleep(bool start) { emit PrepareForSleep(start); }
    void EmitLock(bool locked) { m_session.announceLock(locked); }
    QString ActiveInhibitors() const;

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
    LoginSessionService& m_session;
    std::vector<Inhibitor> m_inhibitors;
};
