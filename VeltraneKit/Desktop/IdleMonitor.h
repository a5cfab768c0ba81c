#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <QDBusConnection>
#include <QObject>

#include <memory>
#include <optional>

struct xcb_connection_t;

namespace veltrane {

// The time since the user last touched the keyboard or the pointer. On X11 it comes from the X
// server's screen-saver extension; in a Wayland session, where an X client sees only other X
// clients' input, from the desktop's idle service on the session bus: GNOME's
// org.gnome.Mutter.IdleMonitor, else org.freedesktop.ScreenSaver's GetSessionIdleTime (KDE).
// Where none answers, idleTime() stays empty for good and isAvailable() says so.
//
// The bus services are asked without waiting: each idleTime() returns the latest answer and asks
// again, so a caller that reads it every half second is at most that much behind. Main thread only.
class IdleMonitor : public QObject {
    Q_OBJECT

public:
    enum class Source { none, x11, mutter, screenSaver };

    // The X display from $DISPLAY unless the session is a Wayland one; the bus for the services.
    explicit IdleMonitor(QDBusConnection desktopBus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    ~IdleMonitor() override;

    // The source in use; none while the bus services have not answered yet, and for good when none did.
    Source source() const { return m_source; }
    // False only once every source has been tried and none answers.
    bool isAvailable() const { return m_source != Source::none || m_probesPending > 0; }
    std::optional<Seconds> idleTime();

private:
    struct XcbDisconnect {
        void operator()(xcb_connection_t* connection) const;
    };

    bool openX11();
    // Asks one bus service for the idle time; the first service to answer becomes the source.
    void ask(Source service);

    QDBusConnection m_bus;
    std::unique_ptr<xcb_connection_t, XcbDisconnect> m_x11;
    Source m_source = Source::none;
    int m_probesPending = 0;
    bool m_asking = false;
    std::optional<Seconds> m_latest;
};

} // namespace veltrane
