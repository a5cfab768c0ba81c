#pragma once

#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

#include <vector>

// The test's own session object (/org/freedesktop/login1/session/auto), the part of logind's
// org.freedesktop.login1.Session the program uses: the Lock and Unlock signals and LockedHint.
class LoginSessionService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint MEMBER m_locked)

public:
    static constexpr auto kPath = "/org/freedesktop/login1/session/auto";

    // Sets LockedHint and emits Lock or Unlock, as logind does when the locker asks.
    void announceLock(bool locked)
    {
        m_locked = locked;
        if (locked)
            emit Lock();
        else
            emit Unlock();
    }

signals:
    void Lock();
    void Unlock();

private:
    bool m_locked = false;
};

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
        QString mode;
        QDBusUnixFileDescriptor readEnd;
    };
    LoginSessionService& m_session;
    std::vector<Inhibitor> m_inhibitors;
};
