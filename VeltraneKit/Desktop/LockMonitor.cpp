#include "VeltraneKit/Desktop/LockMonitor.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <functional>

#include <unistd.h>

namespace veltrane {

namespace {

constexpr auto kLogin = "org.freedesktop.login1";
constexpr auto kManagerPath = "/org/freedesktop/login1";
constexpr auto kManager = "org.freedesktop.login1.Manager";
constexpr auto kSession = "org.freedesktop.login1.Session";
constexpr auto kProperties = "org.freedesktop.DBus.Properties";

// The screen savers that announce ActiveChanged: the freedesktop name (KDE and others) and GNOME's.
struct ScreenSaver {
    const char* service;
    const char* path;
    const char* interface;
};
constexpr ScreenSaver kScreenSavers[] = {
    { "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver" },
    { "org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver" },
};

} // namespace

LockMonitor::LockMonitor(QDBusConnection loginBus, QDBusConnection desktopBus, QObject* parent)
    : QObject(parent)
    , m_loginBus(std::move(loginBus))
    , m_desktopBus(std::move(desktopBus))
{
    if (m_desktopBus.isConnected()) {
        for (const auto& saver : kScreenSavers) {
            m_desktopBus.connect(QLatin1String(saver.service), QLatin1String(saver.path), QLatin1String(saver.interface),
                QStringLiteral("ActiveChanged"), this, SLOT(handleActiveChanged(bool)));
        }
    }
    if (m_loginBus.isConnected())
        findSession();
}

void LockMonitor::findSession()
{
    // The session of this process; a program started outside any session (by a service manager)
    // has none, and then the session the environment names is asked for.
    auto ask = [this](const QString& method, const QVariant& argument, std::function<void()> otherwise) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QLatin1String(kLogin), QLatin1String(kManagerPath), QLatin1String(kManager), method);
        call << argument;
        auto* watcher = new QDBusPendingCallWatcher(m_loginBus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, otherwise = std::move(otherwise)](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *answer;
                if (reply.isValid())
                    followSession(reply.value().path());
                else if (otherwise)
                    otherwise();
            });
    };
    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    ask(QStringLiteral("GetSessionByPID"), QVariant::fromValue(static_cast<uint>(::getpid())),
        [ask, sessionId] {
            if (!sessionId.isEmpty())
                ask(QStringLiteral("GetSession"), sessionId, {});
        });
}

void LockMonitor::followSession(const QString& path)
{
    m_sessionPath = path;
    const auto service = QLatin1String(kLogin);
    m_loginBus.connect(service, path, QLatin1String(kSession), QStringLiteral("Lock"), this, SLOT(handleLock()));
    m_loginBus.connect(service, path, QLatin1String(kSession), QStringLiteral("Unlock"), this, SLOT(handleUnlock()));
    m_loginBus.connect(service, path, QLatin1String(kProperties), QStringLiteral("PropertiesChanged"), this,
        SLOT(handleSessionPropertiesChanged(QString, QVariantMap, QStringList)));
    // A screen already locked when the program starts (it was started from a locked session's
    // autostart, or restarted) counts as locked.
    QDBusMessage get = QDBusMessage::createMethodCall(service, path, QLatin1String(kProperties), QStringLiteral("Get"));
    get << QLatin1String(kSession) << QStringLiteral("LockedHint");
    auto* watcher = new QDBusPendingCallWatcher(m_loginBus.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *answer;
        if (reply.isValid() && reply.value().variant().toBool())
            setLocked(true);
    });
}

void LockMonitor::handleLock()
{
    setLocked(true);
}

void LockMonitor::handleUnlock()
{
    setLocked(false);
}

void LockMonitor::handleActiveChanged(bool active)
{
    setLocked(active);
}

void LockMonitor::handleSessionPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
{
    const auto hint = changed.find(QStringLiteral("LockedHint"));
    if (interface == QLatin1String(kSession) && hint != changed.end())
        setLocked(hint->toBool());
}

void LockMonitor::setLocked(bool locked)
{
    if (m_locked == locked)
        return;
    m_locked = locked;
    if (locked)
        emit this->locked();
    else
        emit unlocked();
}

} // namespace veltrane
