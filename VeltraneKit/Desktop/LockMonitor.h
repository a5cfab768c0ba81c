#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace veltrane {

// Tells the program that the screen locked and unlocked. Two sources, either of which may be
// missing: logind's session object for this program's session (its Lock and Unlock signals and
// its LockedHint property), found on the system bus by the process id or XDG_SESSION_ID; and the
// desktop's screen saver on the session bus (org.freedesktop.ScreenSaver or GNOME's, whose
// ActiveChanged signal comes when the locker shows and goes). Both may report the same lock;
// locked() and unlocked() come once per change.
//
// Signals arrive on the main thread. Without either bus the monitor never signals.
class LockMonitor : public QObject {
    Q_OBJECT

public:
    // The program passes the system and session buses; tests the session bus twice, where their
    // fake logind and screen saver run.
    explicit LockMonitor(QDBusConnection loginBus = QDBusConnection::systemBus(),
        QDBusConnection desktopBus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool isLocked() const { return m_locked; }
    // The logind session followed, once found; empty before or without one.
    QString sessionPath() const { return m_sessionPath; }

signals:
    void locked();
    void unlocked();

private slots:
    void handleLock();
    void handleUnlock();
    void handleActiveChanged(bool active);
    void handleSessionPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&);

private:
    void findSession();
    void followSession(const QString& path);
    void setLocked(bool locked);

    QDBusConnection m_loginBus;
    QDBusConnection m_desktopBus;
    QString m_sessionPath;
    bool m_locked = false;
};

} // namespace veltrane
