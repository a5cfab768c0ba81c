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
// Servers that announce "body-markup" read the body as markup, so the body is escaped for them.
// Until the server has told its capabilities (asked once, with the first notice or the
// authorisation request), notices wait in order; a server that does not answer gets them as
// plain text, and is asked again with the next notice.
//
// Without a session bus the scheduler is unavailable and every operation does nothing (the file
// is neither read nor written). Main thread only; replies arrive on the main thread.
class NotificationScheduler final : public QObject, public NotificationScheduling {
    Q_OBJECT
    Q_PROPERTY(bool authorized READ authorized NOTIFY authorizedChanged)

public:
    // The freedesktop sound theme's name for an incoming message: the "default sound".
    static constexpr auto kSoundName = "message-new-instant";
    static constexpr auto kStoreFileName = "scheduled-notifications.json";
    // The longest the timer waits before reading the clock again, so that a suspend or a clock
    // change delays a reminder by at most this much.
    static constexpr std::chrono::milliseconds kLongestWait { 60'000 };

    // Who the notifications come from, as the server shows them. An empty field means none.
    struct Sender {
        QString applicationName;
        // The installed icon's name in the icon theme.
        QString iconName;
        // The desktop entry's id (its file name without ".desktop"): servers find the program's
        // name and icon through it and group its notifications.
        QString desktopEntry;
    };

    // `storePath` is the scheduled-notification file, normally kStoreFileName in the data folder.
    NotificationScheduler(ClockPtr clock, QString storePath, Sender sender = {},
        QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    // Notices still waiting for the server's capabilities are sent as plain text.
    ~NotificationScheduler() override;

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
    struct Notice {
        std::string title;
        std::string body;
    };

    void post(const std::string& title, const std::string& body);
    void send(const Notice& notice, bool escapeBody);
    void askCapabilities();
    void sendWaiting();
    void arm();
    void setAuthorized(bool authorized);

    ClockPtr m_clock;
    Sender m_sender;
    QDBusConnection m_bus;
    bool m_available;
    bool m_authorized = false;
    std::optional<bool> m_bodyMarkup;
    bool m_askingCapabilities = false;
    // Notices posted before the server said whether it reads markup, oldest first.
    std::vector<Notice> m_waiting;
    ScheduledNotificationFile m_file;
    std::vector<ScheduledNotification> m_pending;
    QTimer m_timer;
};

} // namespace veltrane
