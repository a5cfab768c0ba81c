#pragma once

#include <QObject>

// The test's own session object (/org/freedesktop/login1/session/auto), the part of logind's
// org.freedesktop.login1.Session the program uses: the Lock and Unlock signals and LockedHint.
class LoginSessionService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint)

public:
    static constexpr auto kPath = "/org/freedesktop/login1/session/auto";

    using QObject::QObject;

    bool lockedHint() const { return m_locked; }
    // Sets LockedHint and emits Lock or Unlock, as logind does when the locker asks.
    void announceLock(bool locked);

signals:
    void Lock();
    void Unlock();

private:
    bool m_locked = false;
};
