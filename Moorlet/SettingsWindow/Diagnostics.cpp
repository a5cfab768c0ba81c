#include "Moorlet/SettingsWindow/Diagnostics.h"

#include "Moorlet/Media/MediaController.h"
#include "VeltraneKit/Notifications/NotificationScheduler.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QStringList>
#include <QSystemTrayIcon>

namespace moorlet {

namespace {

QString answer(std::optional<bool> value, const char* unknown)
{
    if (!value)
        return QString::fromUtf8(unknown);
    return *value ? QStringLiteral("answered") : QStringLiteral("no answer");
}

QString orUnset(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("(unset)") : value;
}

} // namespace

QString Diagnostics::text() const
{
    const QStringList lines {
        QStringLiteral("Moorlet %1").arg(version),
        QStringLiteral("Desktop: %1").arg(orUnset(desktop)),
        QStringLiteral("Session type: %1").arg(orUnset(sessionType)),
        QStringLiteral("Qt platform: %1").arg(orUnset(platform)),
        QStringLiteral("Notifications: %1").arg(answer(notifications, "not asked")),
        QStringLiteral("Tray: %1").arg(tray ? QStringLiteral("available") : QStringLiteral("not available")),
        QStringLiteral("Media player: %1").arg(mediaPlayer ? *mediaPlayer : QStringLiteral("none running")),
        QStringLiteral("Login item: %1").arg(loginItem ? QStringLiteral("available") : QStringLiteral("not available")),
        QStringLiteral("Desktop portal: %1").arg(answer(portal, "still asking")),
    };
    return lines.join(u'\n') + u'\n';
}

Diagnostics Diagnostics::gather(const QString& version, const veltrane::NotificationScheduler* notifications,
    const MediaController* media, const veltrane::LaunchAtLogin::Location& loginItem, std::optional<bool> portal)
{
    Diagnostics result;
    result.version = version;
    result.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    result.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    result.platform = QGuiApplication::platformName();
    if (notifications)
        result.notifications = notifications->authorized();
    result.tray = QSystemTrayIcon::isSystemTrayAvailable();
    if (media) {
        if (const auto player = media->player())
            result.mediaPlayer = media->displayName(*player);
    }
    result.loginItem = veltrane::LaunchAtLogin::isAvailable(loginItem);
    result.portal = portal;
    return result;
}

PortalProbe::PortalProbe(int timeoutMs, QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_answered = false;
        return;
    }
    // Ping is answered by the bus library of any service, without starting work in it.
    const QDBusMessage ping = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.DBus.Peer"),
        QStringLiteral("Ping"));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ping, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        m_answered = !call->isError();
        call->deleteLater();
        emit finished(*m_answered);
    });
}

} // namespace moorlet
