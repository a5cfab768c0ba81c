#pragma once

#include "VeltraneKit/System/LaunchAtLogin.h"

#include <QObject>
#include <QString>

#include <optional>

namespace veltrane {
class NotificationScheduler;
}

namespace moorlet {

class MediaController;

// What a bug report needs to know of the desktop Moorlet runs on, as the "Copy diagnostics"
// button puts it on the clipboard: the version, the desktop and session type, and which of the
// desktop services Moorlet uses answered.
struct Diagnostics {
    QString version;
    // XDG_CURRENT_DESKTOP and XDG_SESSION_TYPE; empty when unset.
    QString desktop;
    QString sessionType;
    // Qt's platform plugin ("xcb", "offscreen").
    QString platform;
    // Whether a notification server answered; nothing when there is no scheduler to ask.
    std::optional<bool> notifications;
    bool tray = false;
    // The music player followed over MPRIS, nothing when none runs (or there is no controller).
    std::optional<QString> mediaPlayer;
    bool loginItem = false;
    // Whether the desktop portal answered; nothing while the question is still out.
    std::optional<bool> portal;

    // One "name: value" line per fact.
    QString text() const;

    // Reads what the given objects already know; none of them is asked anything new, so this
    // never blocks. Null objects read as absent.
    static Diagnostics gather(const QString& version, const veltrane::NotificationScheduler* notifications,
        const MediaController* media, const veltrane::LaunchAtLogin::Location& loginItem, std::optional<bool> portal);
};

// Asks once, without blocking, whether the desktop portal (org.freedesktop.portal.Desktop)
// answers on the session bus: a ping that gives up after `timeoutMs`.
//
// Main thread only; answered() changes once, when the reply, an error or the time-out arrives.
class PortalProbe : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultTimeoutMs = 1500;

    explicit PortalProbe(int timeoutMs = kDefaultTimeoutMs, QObject* parent = nullptr);

    // Nothing until the question was answered.
    std::optional<bool> answered() const { return m_answered; }

Q_SIGNALS:
    void finished(bool answered);

private:
    std::optional<bool> m_answered;
};

} // namespace moorlet
