#pragma once

#include "VeltraneKit/Notifications/NotificationScheduling.h"
#include "VeltraneKit/Notifications/ScheduledNotification.h"
#include "VeltraneKit/Notifications/ScheduledNotificationFile.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>
#include <vector>

namespace veltrane {

// Desktop notifications through the freedesktop notification server (org.freedesktop.Notifications
// on the session bus).
//
// Immediate notices are sent at once and never wait for an answer. One-time notifications are kept
// in a JSON file (ScheduledNotificationFile) and posted by this object when their local minute
// comes, so they fire only while the program runs: at construction every request whose minute
// has passed is posted if its local day is still today and dropped otherwise, and the rest wait
// on a timer. A request is posted once: it leaves the file before it is sent.
//
// Without a session bus the scheduler is unavailable and every operation does nothing (the file
// is neither read nor written). Main thread only; replies arrive on the main thread.
class NotificationScheduler final : public QObject, public NotificationScheduling {
    Q_OBJECT
    Q_PROPERTY(bool authorized READ authorized NOTIFY authorizedChanged)

public:
    static constexpr auto kApplicationName = "Moorlet";
    // The desktop entry the server uses to find the program's icon and name.
    static constexpr auto kDesktopEntry = "moorlet";
    // The freedesktop sound theme's name for an incoming message: the "default sound".
    static constexpr auto kSoundName = "message-new-instant";
    static constexpr auto kStoreFileName = "scheduled-notifications.json";
    // The longest the timer waits before reading the clock again, so that a suspend or a clock
    // change delays a reminder by at most this much.
    static constexpr std::chrono::milliseconds kLongestWait { 60'000 };

    // `storePath` is the scheduled-notification file, normally kStoreFileName in the data folder.
    NotificationScheduler(ClockPtr clock, QString storePath,
        QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // True when a bus connection exists; fixed for the object's life.
    bool isAvailable() const override { return m_available; }
    // Whether a notification server answered the last authorisation request. Informational: no
    // operation looks at it.
    bool authorized() const { return m_authorized; }

    // Asks the notification server for its capabilities; any answer sets `authorized`. The answer
    // is dropped when this object is gone.
    void requestAuthorizationIfPossible();

    void notify(const std::string& title, const std::string& body) override;
    void schedule(const std::string& id, Instant at, const std::string& title,
        const std::string& body) override;
    void cancel(const std::string& id) override;

    // The ids of the requests still waiting, soonest first.
    std::vector<std::string> pendingIdentifiers() const;

    // Posts every request whose minute has come (dropping those whose local day has ended) and
    // re-arms the timer. The timer calls it; tests call it after stepping a TestClock.
    void fireDue();

    // How long the timer was last armed to wait, or nothing when no request is pending.
    std::optional<std::chrono::milliseconds> armedInterval() const;

signals:
    void authorizedChanged(bool authorized);

private:
    void post(const std::string& title, const std::string& body);
    void arm();
    void setAuthorized(bool authorized);

    ClockPtr m_clock;
    QDBusConnection m_bus;
    bool m_available;
    bool m_authorized = false;
    ScheduledNotificationFile m_file;
    std::vector<ScheduledNotification> m_pending;
    QTimer m_timer;
};

} // namespace veltrane
